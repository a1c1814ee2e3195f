#pragma once
// The engine of one shown screen: the show, its three timers, the pacing of
// presents and (inside the show) the ticker, as one object that a window
// drives. Between messages the window's loop calls Step with the clock's
// time and sleeps until NextWake; the window forwards its paint to Paint.
// Nothing here knows the platform; SaverHost is all it sees of it.
#include <cstdint>
#include <optional>

#include "slideshow/present_pacer.h"
#include "slideshow/saver_show.h"
#include "slideshow/tick_scheduler.h"

namespace slideshow {

struct SaverEngineSetup {
  SaverShowSetup show;
  TickScheduler::Clock clock;  // nanoseconds; Step's `now` is a reading of it
  int64_t refreshPeriodNs = PresentPacer::kDefaultRefreshNs;
};

class SaverEngine {
 public:
  // `counters` and `tickerLine` as for SaverShow. Creation starts the frame
  // and ticker timers over a black buffer.
  SaverEngine(SaverHost& host, FrameCounters& counters, int32_t& tickerLine,
              SaverEngineSetup setup);
  // Stops the timers; the show's part of the window's destruction.
  ~SaverEngine();
  SaverEngine(const SaverEngine&) = delete;
  SaverEngine& operator=(const SaverEngine&) = delete;

  // The window's paint: settings, ticker layout, list, picture, the whole
  // buffer onto the window, the switch timer.
  void Paint();

  // The viewer's key: Next, Back, Pause or Hide (SaverShow::Steer).
  void Steer(KeyCommand command) { show_.Steer(command); }

  // One wake: the reads that have answered (the show waits for its list and
  // pictures without blocking, and Timer1 keeps these wakes coming), the
  // ticks due at `now` in time order, then the frame of the latest tick if
  // the display takes one now. Exceptions from a handler
  // reach the caller, after the schedule has moved past that handler's tick.
  void Step(int64_t now);

  // The clock time at which Step next has work: while a frame waits for the
  // display, the next present slot; otherwise the next tick, or the next
  // present slot if that is later (the ticks in between run there, late but
  // whole, since nothing of them could be seen sooner). Nothing: no timer
  // runs and no frame waits; only a message can wake it.
  std::optional<int64_t> NextWake() const;

  const SaverShow& Show() const { return show_; }

 private:
  TickScheduler timers_;
  PresentPacer pacer_;
  SaverShow show_;
};

}  // namespace slideshow
