#pragma once
// Behaviours a dialog gives single controls by subclassing them.
#include <windows.h>

namespace platform {

// Makes a push button a speed button: it works with the mouse (and
// BM_CLICK) but never takes the focus.
void MakeSpeedButton(HWND button);

// Makes a control display only: it takes no focus, by the keyboard or the
// mouse, and a click on it leaves the focus, the caret and every selection
// where they were.
void MakeDisplayOnly(HWND control);

}  // namespace platform
