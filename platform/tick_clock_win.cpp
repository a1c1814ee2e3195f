#include "platform/tick_clock_win.h"

#include <windows.h>

namespace platform {

// The counter and its frequency never fail from Windows XP on.
TickClock::TickClock() {
  LARGE_INTEGER f{};
  ::QueryPerformanceFrequency(&f);
  frequency_ = f.QuadPart > 0 ? f.QuadPart : 1;
}

// Whole seconds and the remainder apart, so that count x 10^9 cannot
// overflow; the remainder's product stays below 2^63 for every frequency up
// to 9.2 GHz.
int64_t TickClock::NowNanoseconds() const {
  LARGE_INTEGER c{};
  ::QueryPerformanceCounter(&c);
  const int64_t seconds = c.QuadPart / frequency_;
  const int64_t rest = c.QuadPart % frequency_;
  return seconds * 1'000'000'000 + rest * 1'000'000'000 / frequency_;
}

}  // namespace platform
