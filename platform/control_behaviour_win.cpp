#include "platform/control_behaviour_win.h"

#include <commctrl.h>

namespace platform {
namespace {

LRESULT CALLBACK SpeedButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      ::SetCapture(button);
      ::SendMessageW(button, BM_SETSTATE, TRUE, 0);
      return 0;
    case WM_MOUSEMOVE:
      if (::GetCapture() == button) {
        RECT client;
        ::GetClientRect(button, &client);
        const POINT at{short(LOWORD(lParam)), short(HIWORD(lParam))};
        ::SendMessageW(button, BM_SETSTATE, ::PtInRect(&client, at), 0);
      }
      return 0;
    case WM_LBUTTONUP:
      if (::GetCapture() == button) {
        const bool pressed = (::SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
        ::ReleaseCapture();
        if (pressed) {
          ::SendMessageW(::GetParent(button), WM_COMMAND,
                         MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED), LPARAM(button));
        }
      }
      return 0;
    case WM_CAPTURECHANGED:
      ::SendMessageW(button, BM_SETSTATE, FALSE, 0);
      return 0;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(button, &SpeedButtonProc, 0);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(button, message, wParam, lParam);
}

// A display-only control never sees a mouse button, so a click neither
// focuses it, nor moves a caret, nor selects.
LRESULT CALLBACK DisplayOnlyProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
    case WM_CONTEXTMENU:
      return 0;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(control, &DisplayOnlyProc, 0);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(control, message, wParam, lParam);
}

void RemoveTabStop(HWND control) {
  ::SetWindowLongPtrW(control, GWL_STYLE, ::GetWindowLongPtrW(control, GWL_STYLE) & ~WS_TABSTOP);
}

}  // namespace

void MakeSpeedButton(HWND button) {
  RemoveTabStop(button);
  ::SetWindowSubclass(button, &SpeedButtonProc, 0, 0);
}

void MakeDisplayOnly(HWND control) {
  RemoveTabStop(control);
  ::SetWindowSubclass(control, &DisplayOnlyProc, 0, 0);
}

}  // namespace platform
