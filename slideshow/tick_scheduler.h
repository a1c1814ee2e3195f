#pragma once
// The saver window's three timers as logical timers over a nanosecond clock.
// Window-message timers step by about 15.6 ms and never fire faster than
// 10 ms, so the 2 to 20 ms tempos of a bounce would all collapse into one.
// Here every tick has a due time on an exact grid (start + k x interval), the
// message loop wakes for them (SaverEngine gathers the ticks of one display
// refresh into one wake), and ticks it did not wake for are run late,
// each one whole and in time order, so that on average a timer fires exactly
// at its interval.
//
// The rules are those of window timers: setting the value a timer already
// has changes nothing; a real change stops it and, if it is on, starts its
// countdown afresh from the clock, as it stands when the change is made, also
// inside a handler: a handler that blocked (a slow load, a message box) must
// not leave the timers it restarts a burst of ticks to replay.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

namespace slideshow {

enum class SaverTimer { Timer1, tmCom, tmGamen };

class TickScheduler {
 public:
  // Monotonic time in nanoseconds from any fixed origin.
  using Clock = std::function<int64_t()>;

  // Ticks more than this far behind the clock are dropped whole, keeping
  // each timer's phase: after a sleep or a long stall the show goes on from
  // where the clock stands and replays at most this much. A timer whose
  // every missed tick lies further back still runs once, late, as a window
  // timer would: a switch comes late after a stall, never not at all.
  static constexpr int64_t kMaxCatchUpNs = 250'000'000;

  explicit TickScheduler(Clock clock, int64_t maxCatchUpNs = kMaxCatchUpNs);

  void SetInterval(SaverTimer timer, uint32_t milliseconds);
  void SetEnabled(SaverTimer timer, bool enabled);
  uint32_t Interval(SaverTimer timer) const { return Entry(timer).interval; }
  bool Enabled(SaverTimer timer) const { return Entry(timer).enabled; }

  // Runs every tick due at `now` (a reading of the clock) through `fire`, earliest
  // first (equal times in the order Timer1, tmCom, tmGamen), re-reading the
  // schedule after each one, since a handler may change any timer. Returns
  // the number of ticks run. A handler that throws leaves the schedule as it
  // stands after its own tick; the exception goes to the caller.
  size_t RunDue(int64_t now, const std::function<void(SaverTimer)>& fire);

  // The clock time of the next tick; none while no timer runs.
  std::optional<int64_t> NextDue() const;

  // The due time of the tick being run inside RunDue, the clock's time
  // otherwise.
  int64_t LogicalNow() const;

 private:
  struct Timer {
    uint32_t interval = 0;
    bool enabled = false;
    int64_t due = 0;
    bool Running() const { return enabled && interval > 0; }
    int64_t Period() const { return int64_t(interval) * 1'000'000; }
  };
  Timer& Entry(SaverTimer t) { return timers_[size_t(t)]; }
  const Timer& Entry(SaverTimer t) const { return timers_[size_t(t)]; }
  void Restart(Timer& t) { t.due = clock_() + t.Period(); }
  void DropTicksBefore(int64_t oldest, int64_t now);
  std::optional<SaverTimer> Earliest() const;

  Clock clock_;
  int64_t maxCatchUpNs_;
  std::array<Timer, 3> timers_{};
  std::optional<int64_t> tickTime_;  // set while a tick runs
};

}  // namespace slideshow
