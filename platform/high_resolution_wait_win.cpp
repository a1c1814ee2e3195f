#include "platform/high_resolution_wait_win.h"

#include <mmsystem.h>

#include <algorithm>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace platform {

HighResolutionWait::HighResolutionWait() {
  timer_.reset(::CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                        TIMER_ALL_ACCESS));
  if (timer_) {
    kind_ = Kind::HighResolutionTimer;
    return;
  }
  // Both remaining kinds wake at the system timer's resolution.
  periodRaised_ = ::timeBeginPeriod(1) == TIMERR_NOERROR;
  timer_.reset(::CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS));
  kind_ = timer_ ? Kind::WaitableTimer : Kind::MessageTimeout;
}

HighResolutionWait::~HighResolutionWait() {
  if (periodRaised_) ::timeEndPeriod(1);
}

// Behind a timer the timeout is only a safety net a little after it; alone
// it is the wait itself, rounded up so that it never wakes early.
DWORD HighResolutionWait::TimeoutFor(int64_t delayNs, bool behindTimer) {
  constexpr int64_t kLongest = 0x7FFFFFFE;  // below INFINITE
  const int64_t ms = (delayNs + 999'999) / 1'000'000 + (behindTimer ? 2 : 0);
  return DWORD(std::min(ms, kLongest));
}

void HighResolutionWait::WaitForMessageOrDeadline(const TickClock& clock,
                                                  std::optional<int64_t> deadlineNs) {
  constexpr DWORD kWake = QS_ALLINPUT;
  constexpr DWORD kFlags = MWMO_INPUTAVAILABLE;
  if (!deadlineNs) {
    ::MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, kWake, kFlags);
    return;
  }
  const int64_t delayNs = *deadlineNs - clock.NowNanoseconds();
  if (delayNs <= 0) return;
  if (timer_) {
    LARGE_INTEGER due{};
    due.QuadPart = -std::max<int64_t>(1, delayNs / 100);  // relative, in 100-ns units
    if (::SetWaitableTimer(timer_.get(), &due, 0, nullptr, nullptr, FALSE)) {
      HANDLE handles[] = {timer_.get()};
      // A timer that fired is spent (the wait reset it); only one that is
      // still pending after a message or the safety timeout is stopped.
      if (::MsgWaitForMultipleObjectsEx(1, handles, TimeoutFor(delayNs, true), kWake, kFlags) !=
          WAIT_OBJECT_0) {
        ::CancelWaitableTimer(timer_.get());
      }
      return;
    }
  }
  ::MsgWaitForMultipleObjectsEx(0, nullptr, TimeoutFor(delayNs, false), kWake, kFlags);
}

}  // namespace platform
