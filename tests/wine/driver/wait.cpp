#include "tests/wine/driver/wait.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "platform/application_win.h"

namespace driver {
namespace {

// Rounded up, so that the wait never wakes before the tick is due.
ULONGLONG UntilNextWakeMs() {
  const auto& application = platform::Application::Instance();
  const std::optional<int64_t> wake = application.NextWake();
  if (!wake) return ULONGLONG(-1);
  const int64_t ns = *wake - application.Clock().NowNanoseconds();
  return ns <= 0 ? 0 : ULONGLONG((ns + 999'999) / 1'000'000);
}

}  // namespace

// Through the application's own turn of the loop, so that a saver window in
// the test's process gets its ticks as it would from the real loop.
void PumpMessages() { platform::Application::Instance().PumpOnce(); }

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  for (;;) {
    PumpMessages();
    if (condition()) return true;
    const ULONGLONG now = ::GetTickCount64();
    if (now >= deadline) return false;
    const DWORD slice = DWORD(std::min<ULONGLONG>({deadline - now, 20, UntilNextWakeMs()}));
    ::MsgWaitForMultipleObjectsEx(0, nullptr, slice, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

}  // namespace driver
