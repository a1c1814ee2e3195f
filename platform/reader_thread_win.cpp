#include "platform/reader_thread_win.h"

namespace platform {

void SetReaderThreadErrorMode() {
  ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, nullptr);
}

std::function<void()> WakeWindow(HWND window, UINT message) {
  return [window, message] { ::PostMessageW(window, message, 0, 0); };
}

}  // namespace platform
