#pragma once
// The picture-selection dialog's drop-down list of the date caption: its
// items stand in the order of the stored numbers, so an item's index is the
// number fgDate holds.
#include <windows.h>

#include "settings/date_caption.h"

namespace picker {

class DateCaptionChoice {
 public:
  // Fills the list; nothing is chosen until Set.
  void Attach(HWND comboBox);
  void Set(settings::DateCaption caption);
  settings::DateCaption Chosen() const;

 private:
  HWND combo_ = nullptr;
};

}  // namespace picker
