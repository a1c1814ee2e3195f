#include "tests/wine/timing/loop_runner.h"

#include <algorithm>
#include <optional>

#include "platform/application_win.h"
#include "platform/high_resolution_wait_win.h"

namespace timing_test {

int64_t NowNs() { return platform::Application::Instance().Clock().NowNanoseconds(); }

bool RunLoopUntil(int64_t endNs) {
  auto& application = platform::Application::Instance();
  platform::HighResolutionWait wait;
  while (NowNs() < endNs) {
    if (!application.PumpOnce()) return false;
    const std::optional<int64_t> wake = application.NextWake();
    wait.WaitForMessageOrDeadline(application.Clock(), wake ? std::min(*wake, endNs) : endNs);
  }
  return true;
}

}  // namespace timing_test
