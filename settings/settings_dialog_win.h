#pragma once
// TfrmSet, the settings dialog (form description "Setup"): the window side of
// SettingsDialog. It implements the controls the logic reads and sets, and
// turns the window's events into the logic's handlers.
#include <windows.h>

#include <optional>

#include "platform/dialog_win.h"
#include "platform/handles_win.h"
#include "settings/picture_selection_port.h"
#include "settings/registry_key.h"
#include "settings/settings_dialog.h"
#include "settings/show_effects_dialog_win.h"

namespace settings {

class TfrmSet : public platform::Dialog, private SettingsControls {
 public:
  // Creates the hidden dialog; it registers first in settings mode, so it is
  // the main form.
  explicit TfrmSet(RegistryOpener& registry);

  // The dialogs created after this one: the picture-selection dialog and the
  // help dialog. Until they are given, their buttons do nothing.
  void SetCompanions(PictureSelectionPort* frmDir, platform::Dialog* frmAd);

  // The state the picture-selection dialog works on.
  PictureSelectionState& PictureState() { return logic_.PictureState(); }

 protected:
  void OnInitDialog() override;
  void OnLayout() override;
  void OnShow() override { FormShow(); }
  void OnPaint() override { FormPaint(); }
  void OnCommand(int id, int code, HWND control) override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FormShow();
  void FormPaint();
  void meEditChange() { logic_.meEditChange(); }
  void btFontClick();
  void btCloseClick();
  void btFolderClick();
  void sbReadMeClick();
  void btEffectsClick();
  void ApplyPreviewFont();

  // SettingsControls
  std::string MessageText() const override;
  void SetMessageText(const std::string& text) override;
  void SetPreviewText(const std::string& text) override;
  void SetPreviewFont(const FontChoice& font) override;
  int32_t SwitchSeconds() const override;
  void SetSwitchSeconds(int32_t seconds) override;
  bool MoveChecked() const override;
  void SetMoveChecked(bool move) override;
  SoundRadio CheckedSound() const override;
  void CheckSound(SoundRadio radio) override;

  SettingsDialog logic_;
  PictureSelectionPort* frmDir_ = nullptr;
  platform::Dialog* frmAd_ = nullptr;
  std::optional<TfrmEffects> frmEffects_;
  FontChoice previewFont_;
  platform::UniqueFont previewFontHandle_;
};

}  // namespace settings
