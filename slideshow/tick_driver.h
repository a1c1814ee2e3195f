#pragma once
// What the saver window's message loop does between messages: run the ticks
// that are due into the show, in time order, then put the frame of the latest
// tick on the window if the display can take one now; and say when it next
// has to wake. The window's SaverHost timer calls go to the same scheduler.
#include <cstdint>
#include <optional>

#include "slideshow/present_pacer.h"
#include "slideshow/saver_show.h"
#include "slideshow/tick_scheduler.h"

namespace slideshow {

class TickDriver {
 public:
  TickDriver(SaverShow& show, TickScheduler& scheduler, PresentPacer& pacer)
      : show_(show), scheduler_(scheduler), pacer_(pacer) {}

  // One wake of the loop. Exceptions from a handler reach the caller, after
  // the schedule has moved past that handler's tick.
  void Step();

  // The clock time at which Step next has work: while a frame waits for the
  // display, the next present slot; otherwise the next tick, or the next
  // present slot if that is later (the ticks in between run there, late but
  // whole, since nothing of them could be seen sooner). Nothing: no timer
  // runs and no frame waits; only a message can wake it.
  std::optional<int64_t> NextWake() const;

 private:
  SaverShow& show_;
  TickScheduler& scheduler_;
  PresentPacer& pacer_;
};

}  // namespace slideshow
