#pragma once
// The dialog "非表示の写真": the photos hidden during the show, by their full
// paths, newest first, and 表示に戻す, which restores the selected ones at
// once: they leave the list and the store, and the show shows them again
// from its next run on. A path whose file no longer exists stays listed: it
// may be on a drive that is not connected.
#include "picker/controls.h"
#include "settings/registry_key.h"

namespace picker {

class HiddenPhotosLogic {
 public:
  HiddenPhotosLogic(ListBoxView& lbHidden, ControlView& btRestore, settings::RegistryOpener& registry)
      : lbHidden_(lbHidden), btRestore_(btRestore), registry_(registry) {}

  // Every opening lists the store as it stands.
  void FormShow();
  void lbHiddenClick();
  // A photo that cannot be taken out of the store stays listed and selected.
  void btRestoreClick();

 private:
  ListBoxView& lbHidden_;
  ControlView& btRestore_;
  settings::RegistryOpener& registry_;
};

}  // namespace picker
