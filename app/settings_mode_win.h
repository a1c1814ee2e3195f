#pragma once
// Settings mode's windows: the settings dialog TfrmSet, the picture-selection
// dialog TfrmDir and the help dialog TfrmAd.
#include "picker/help_dialog_win.h"
#include "picker/picture_selection_dialog_win.h"
#include "settings/registry_win.h"
#include "settings/settings_dialog_win.h"

namespace app {

// Owns the three dialogs for the whole run. Creates TfrmSet (registered
// first, so it is the main form), then TfrmDir, then TfrmAd; the latter two
// stay hidden until the settings dialog opens them. The entry point runs the
// message loop while this lives; the dialogs are destroyed in reverse order.
class SettingsForms {
 public:
  SettingsForms() { frmSet.SetCompanions(&frmDir, &frmAd); }

 private:
  settings::Win32Registry registry;
  settings::TfrmSet frmSet{registry};
  picker::TfrmDir frmDir{frmSet.PictureState()};
  picker::TfrmAd frmAd;
};

}  // namespace app
