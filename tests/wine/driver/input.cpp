#include "tests/wine/driver/input.h"

namespace driver {

namespace {
LPARAM Point(int x, int y) { return MAKELPARAM(WORD(x), WORD(y)); }
}  // namespace

void PostKeyDown(HWND window, UINT virtualKey) {
  ::PostMessageW(window, WM_KEYDOWN, virtualKey, 1);
}

void PostLeftButtonDown(HWND window, int x, int y) {
  ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
}

void PostMouseMove(HWND window, int x, int y) { ::PostMessageW(window, WM_MOUSEMOVE, 0, Point(x, y)); }

void SendKeyPress(UINT virtualKey) {
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = inputs[1].ki.wVk = WORD(virtualKey);
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, inputs, sizeof(INPUT));
}

void SendMouseMoveTo(int x, int y) { ::SetCursorPos(x, y); }

}  // namespace driver
