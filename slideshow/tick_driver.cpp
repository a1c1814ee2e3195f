#include "slideshow/tick_driver.h"

#include <algorithm>

namespace slideshow {

void TickDriver::Step() {
  scheduler_.RunDue([this](SaverTimer timer) { show_.OnTimer(timer); });
  const int64_t now = scheduler_.LogicalNow();
  if (!show_.HasFrameToPresent() || !pacer_.MayPresent(now)) return;
  show_.PresentFrame();
  pacer_.Presented(now);
}

// Nothing a tick does reaches the screen before the next present, so the
// ticks due before the next present slot wait for it and run together, each
// whole and in order, just before the frame is shown: one wake per display
// refresh at the fast tempos instead of one per tick.
std::optional<int64_t> TickDriver::NextWake() const {
  const int64_t slot = pacer_.NextSlot(scheduler_.LogicalNow());
  if (show_.HasFrameToPresent()) return slot;
  const std::optional<int64_t> due = scheduler_.NextDue();
  if (!due) return std::nullopt;
  return std::max(*due, slot);
}

}  // namespace slideshow
