#pragma once
// The preview window given on the command line, null outside preview mode.
// Set once by the entry point before any window exists; everything that would
// disturb the user (hiding the cursor, closing on input, sounds, error boxes)
// is skipped while it is set.
#include <windows.h>

namespace app {

extern HWND previewWnd;

}  // namespace app
