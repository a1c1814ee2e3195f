#include "app/settings_mode_win.h"

#include "picker/help_dialog_win.h"
#include "picker/picture_selection_dialog_win.h"
#include "settings/registry_win.h"
#include "settings/settings_dialog_win.h"

namespace app {
namespace {

// The members are created in the order of settings mode, TfrmSet first (the
// main form), and destroyed in reverse after the message loop.
class SettingsModeForms : public SettingsForms {
 public:
  SettingsModeForms() { frmSet.SetCompanions(&frmDir, &frmAd); }

 private:
  settings::Win32Registry registry;
  settings::TfrmSet frmSet{registry};
  picker::TfrmDir frmDir{frmSet.PictureState()};
  picker::TfrmAd frmAd;
};

}  // namespace

std::unique_ptr<SettingsForms> CreateSettingsForms() { return std::make_unique<SettingsModeForms>(); }

}  // namespace app
