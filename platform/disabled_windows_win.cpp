#include "platform/disabled_windows_win.h"

namespace platform {

DisabledWindows::DisabledWindows(HWND modal) : except_(modal) {
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND window, LPARAM self) -> BOOL {
        auto& disabled = *reinterpret_cast<DisabledWindows*>(self);
        if (window != disabled.except_ && ::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
          ::EnableWindow(window, FALSE);
          disabled.windows_.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(this));
}

DisabledWindows::~DisabledWindows() {
  for (HWND window : windows_) {
    if (::IsWindow(window)) ::EnableWindow(window, TRUE);
  }
}

}  // namespace platform
