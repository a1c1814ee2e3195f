#pragma once
// What the settings dialog TfrmSet decides, apart from its window: which
// states FormShow gives the controls, what each save writes, the mapping of
// the sound and display-mode radio buttons, the result of the font dialog, and
// the picture-selection button's sequence. The controls stay the one source
// of truth for the message text, the time, the display mode and the sound;
// this class keeps only the font members and the picture-selection state.
// Texts are UTF-8.
#include <cstdint>
#include <string>

#include "settings/dialog_store.h"
#include "settings/message_settings.h"
#include "settings/picture_selection_port.h"
#include "settings/picture_selection_state.h"
#include "settings/registry_key.h"
#include "settings/show_effects.h"

namespace settings {

// The radio buttons of gbSnd.
enum class SoundRadio { rbBeep, rbOK, rbNO };

// ReadDialogMessageSettings' sound: 1 rbBeep, 2 rbOK, any other number rbNO.
SoundRadio SoundRadioFor(int32_t soundEffect);
// What WriteMessageSettings stores for the checked radio button.
int32_t SoundEffectFor(SoundRadio checked);

// The range of udTime; a stored time outside it is shown at the nearer end.
inline constexpr int32_t kMinSwitchSeconds = 1;
inline constexpr int32_t kMaxSwitchSeconds = 100;
int32_t SwitchSecondsForUpDown(int32_t storedSeconds);

// What the font dialog fdSCR is preset with and what it returns, and the
// font the preview meCom shows: from the members until the dialog is
// confirmed, then the dialog's whole font, which keeps more than the store
// can (tenths of a point, any weight, the script).
struct FontChoice {
  std::string face;
  int32_t pointTenths = 0;  // size in tenths of a point, as the dialog reports it
  uint32_t color = 0;       // 0x00BBGGRR
  int32_t weight = 400;     // 700 and more is stored as bold
  bool italic = false, underline = false, strikeOut = false;
  uint8_t charSet = kAnyCharSet;

  static constexpr uint8_t kAnyCharSet = 1;  // DEFAULT_CHARSET: the face decides
};

// The controls of TfrmSet that the logic reads and sets.
class SettingsControls {
 public:
  virtual ~SettingsControls() = default;
  virtual std::string MessageText() const = 0;  // meEdit
  virtual void SetMessageText(const std::string& text) = 0;
  virtual void SetPreviewText(const std::string& text) = 0;  // meCom
  virtual void SetPreviewFont(const FontChoice& font) = 0;
  virtual int32_t SwitchSeconds() const = 0;  // udTime
  virtual void SetSwitchSeconds(int32_t seconds) = 0;
  virtual bool MoveChecked() const = 0;  // rbMove, else rbStop
  virtual void SetMoveChecked(bool move) = 0;
  virtual SoundRadio CheckedSound() const = 0;  // gbSnd
  virtual void CheckSound(SoundRadio radio) = 0;
};

// What the settings dialog needs of the effects dialog: its check boxes
// "フェードで切り替える", "パンとズーム", "縦長の写真は2枚並べる",
// "余白をぼかした写真で埋める" and "キーで操作する", and a modal showing.
class ShowEffectsPort {
 public:
  virtual ~ShowEffectsPort() = default;
  virtual void SetEffects(const EffectsDialogChoices& choices) = 0;
  virtual EffectsDialogChoices ChosenEffects() const = 0;
  virtual ModalResult ShowModal() = 0;
};

class SettingsDialog {
 public:
  SettingsDialog(RegistryOpener& registry, SettingsControls& controls)
      : registry_(registry), controls_(controls) {}

  // The message group from the store into the members and the controls,
  // and the preview set up from them.
  void FormShow(const std::string& startDirectory);
  // meCom follows meEdit.
  void meEditChange();

  // The font dialog's preset from the members; also the preview's font
  // after FormShow.
  FontChoice FontPreset() const;
  // The font dialog was confirmed: the preview takes its whole font, the
  // members what the store keeps of it, then the whole message group is
  // saved.
  void FontChosen(const FontChoice& choice);

  // The message group as the controls and members hold it now. Throws the
  // store's error at the first value that cannot be written.
  void SaveMessageSettings();

  // btFolderClick: reads the picture settings, primes and shows the
  // picture-selection dialog, and stores its result on OK.
  void btFolderClick(PictureSelectionPort& picker);

  // btEffectsClick: the effects dialog shows the stored effects and fgKeys;
  // ＯＫ stores them all, キャンセル nothing.
  void btEffectsClick(ShowEffectsPort& effects);

  const MessageSettings& Members() const { return members_; }
  PictureSelectionState& PictureState() { return pictureState_; }

 private:
  RegistryOpener& registry_;
  SettingsControls& controls_;
  // messageText, fontName, textColor, fontSize and the four styles; the
  // time, display mode and sound live in the controls.
  MessageSettings members_;
  PictureSelectionState pictureState_;
};

}  // namespace settings
