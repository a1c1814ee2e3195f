#pragma once
// The saver's tick clock: the performance counter in nanoseconds, monotonic
// and unaffected by changes of the wall-clock time. This is the clock the
// tick scheduler's due times and the waits of HighResolutionWait are in.
#include <cstdint>

namespace platform {

class TickClock {
 public:
  TickClock();  // reads the counter's frequency, which is fixed at boot
  int64_t NowNanoseconds() const;

 private:
  int64_t frequency_;  // counts per second
};

}  // namespace platform
