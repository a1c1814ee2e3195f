#pragma once
// Waiting in the message loop until the next message or the next due tick,
// whichever comes first. Window timers and message-wait timeouts step by
// about 15.6 ms, too coarse for ticks of 2 to 20 ms; a high-resolution
// waitable timer wakes within a fraction of a millisecond. Where the system
// refuses that timer (before Windows 10 1803, and under Wine), a plain
// waitable timer with the system timer raised to 1 ms takes its place; where
// even that cannot be created, the message wait's own timeout (also at 1 ms
// resolution then). The scheduler catches up late wakes, so the coarser
// kinds cost smoothness, never the rate.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/handles_win.h"
#include "platform/tick_clock_win.h"

namespace platform {

class HighResolutionWait {
 public:
  enum class Kind { HighResolutionTimer, WaitableTimer, MessageTimeout };

  HighResolutionWait();
  ~HighResolutionWait();  // gives the 1 ms system timer back if it took it
  HighResolutionWait(const HighResolutionWait&) = delete;
  HighResolutionWait& operator=(const HighResolutionWait&) = delete;

  Kind kind() const { return kind_; }

  // Returns once input or any other message is in the thread's queue, also
  // one that an earlier peek saw but left there, or once `deadlineNs` of
  // `clock` has come; at once when it has passed. Without a deadline only a
  // message ends the wait.
  void WaitForMessageOrDeadline(const TickClock& clock, std::optional<int64_t> deadlineNs);

 private:
  static DWORD TimeoutFor(int64_t delayNs, bool behindTimer);

  Kind kind_ = Kind::MessageTimeout;
  UniqueKernelHandle timer_;
  bool periodRaised_ = false;
};

}  // namespace platform
