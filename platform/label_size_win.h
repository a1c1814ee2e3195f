#pragma once
// Labels that fit their text: the design sizes fit the design face, and a
// stand-in face may be wider.
#include <windows.h>

#include <string_view>

namespace platform {

// The extent of one line of text in the control's own font (the default GUI
// font when it has none).
SIZE TextExtent(HWND control, std::wstring_view text);

// Fits a label to its one-line caption. An empty caption keeps one
// character's height and no width, so the label stays put; the parent
// repaints where a longer caption stood.
void AutoSizeLabel(HWND label);

}  // namespace platform
