#pragma once
// TfrmHidden, the dialog of hidden photos (hidden.rc), shown modally from the
// picture-selection dialog. Unlike the documented dialogs it works on the
// store itself: what it restores leaves the subkey Hidden at once, whatever
// the picture-selection dialog's ＯＫ or キャンセル.
#include <windows.h>

#include <optional>

#include "picker/control_views_win.h"
#include "picker/hidden_photos_logic.h"
#include "platform/dialog_win.h"
#include "settings/registry_win.h"

namespace picker {

class TfrmHidden : public platform::Dialog {
 public:
  TfrmHidden();

 protected:
  void OnInitDialog() override;
  void OnShow() override;
  void OnCommand(int id, int code, HWND control) override;

 private:
  settings::Win32Registry registry_;
  Win32ListBox lbHidden_;
  Win32Control btRestore_;
  std::optional<HiddenPhotosLogic> logic_;
};

}  // namespace picker
