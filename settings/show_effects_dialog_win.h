#pragma once
// The effects dialog "表示効果": five check boxes, ＯＫ and キャンセル, shown
// modally by the settings dialog, which reads and writes the store for it.
#include <windows.h>

#include "platform/dialog_win.h"
#include "settings/settings_dialog.h"

namespace settings {

class TfrmEffects : public platform::Dialog, public ShowEffectsPort {
 public:
  TfrmEffects();

  void SetEffects(const EffectsDialogChoices& choices) override;
  EffectsDialogChoices ChosenEffects() const override;
  ModalResult ShowModal() override;

 protected:
  void OnCommand(int id, int code, HWND control) override;
};

}  // namespace settings
