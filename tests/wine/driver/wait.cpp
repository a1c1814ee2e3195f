#include "tests/wine/driver/wait.h"

#include <algorithm>

namespace driver {

void PumpMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  for (;;) {
    PumpMessages();
    if (condition()) return true;
    const ULONGLONG now = ::GetTickCount64();
    if (now >= deadline) return false;
    const DWORD slice = DWORD(std::min<ULONGLONG>(deadline - now, 20));
    ::MsgWaitForMultipleObjectsEx(0, nullptr, slice, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

}  // namespace driver
