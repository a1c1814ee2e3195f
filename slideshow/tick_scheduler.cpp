#include "slideshow/tick_scheduler.h"

#include <utility>

namespace slideshow {

TickScheduler::TickScheduler(Clock clock, int64_t maxCatchUpNs)
    : clock_(std::move(clock)), maxCatchUpNs_(maxCatchUpNs) {}

void TickScheduler::SetInterval(SaverTimer timer, uint32_t milliseconds) {
  Timer& t = Entry(timer);
  if (t.interval == milliseconds) return;
  t.interval = milliseconds;
  Restart(t);
}

void TickScheduler::SetEnabled(SaverTimer timer, bool enabled) {
  Timer& t = Entry(timer);
  if (t.enabled == enabled) return;
  t.enabled = enabled;
  Restart(t);
}

int64_t TickScheduler::LogicalNow() const { return tickTime_ ? *tickTime_ : clock_(); }

std::optional<int64_t> TickScheduler::NextDue() const {
  const std::optional<SaverTimer> next = Earliest();
  if (!next) return std::nullopt;
  return Entry(*next).due;
}

std::optional<SaverTimer> TickScheduler::Earliest() const {
  std::optional<SaverTimer> best;
  for (size_t i = 0; i < timers_.size(); ++i) {
    const Timer& t = timers_[i];
    if (t.Running() && (!best || t.due < Entry(*best).due)) best = SaverTimer(i);
  }
  return best;
}

void TickScheduler::DropTicksBefore(int64_t oldest, int64_t now) {
  for (Timer& t : timers_) {
    if (!t.Running() || t.due >= oldest) continue;
    const int64_t missed = (oldest - t.due + t.Period() - 1) / t.Period();
    const int64_t kept = t.due + missed * t.Period();
    // Nothing left to replay: the last tick before now stays, late.
    t.due = kept <= now ? kept : t.due + (now - t.due) / t.Period() * t.Period();
  }
}

size_t TickScheduler::RunDue(int64_t now, const std::function<void(SaverTimer)>& fire) {
  DropTicksBefore(now - maxCatchUpNs_, now);
  // Every tick moves its timer's due time forward by at least 1 ms and every
  // restart lies a whole interval after the clock, which is not behind `now`,
  // so this loop ends.
  size_t ran = 0;
  for (std::optional<SaverTimer> next = Earliest(); next && Entry(*next).due <= now;
       next = Earliest()) {
    Timer& t = Entry(*next);
    struct TickTime {
      std::optional<int64_t>& slot;
      ~TickTime() { slot.reset(); }
    } during{tickTime_};
    tickTime_ = t.due;
    t.due += t.Period();
    ++ran;
    fire(*next);
  }
  return ran;
}

}  // namespace slideshow
