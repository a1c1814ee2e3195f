#include "picker/hidden_photos_logic.h"

#include "slideshow/hidden_store.h"

namespace picker {

void HiddenPhotosLogic::FormShow() {
  lbHidden_.Assign(slideshow::ReadHiddenPictures(registry_));
  btRestore_.SetEnabled(false);
}

void HiddenPhotosLogic::lbHiddenClick() { btRestore_.SetEnabled(lbHidden_.SelectedCount() > 0); }

// From the last entry up, so a removal moves none of the entries still to
// be looked at.
void HiddenPhotosLogic::btRestoreClick() {
  for (int index = lbHidden_.Count() - 1; index >= 0; --index) {
    if (!lbHidden_.Selected(index)) continue;
    if (slideshow::RestoreHiddenPicture(registry_, lbHidden_.Text(index))) lbHidden_.Delete(index);
  }
  lbHiddenClick();
}

}  // namespace picker
