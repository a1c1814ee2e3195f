#pragma once
// Settings mode's windows: the settings dialog TfrmSet, the picture-selection
// dialog TfrmDir and the help dialog TfrmAd.
#include <memory>

namespace app {

// Owns the three dialogs for the whole run; the dialogs' module derives from
// it with the forms as members.
class SettingsForms {
 public:
  virtual ~SettingsForms() = default;
};

// Creates TfrmSet (registered first, so it is the main form), then TfrmDir,
// then TfrmAd; the latter two stay hidden until the settings dialog opens
// them. The entry point then runs the message loop and destroys the result
// after it. Returns null while no dialog exists, and the loop ends at once.
std::unique_ptr<SettingsForms> CreateSettingsForms();

}  // namespace app
