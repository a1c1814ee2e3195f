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

std::optional<int64_t> TickDriver::NextWake() const {
  std::optional<int64_t> wake = scheduler_.NextDue();
  if (show_.HasFrameToPresent()) {
    const int64_t slot = pacer_.NextSlot(scheduler_.LogicalNow());
    wake = wake ? std::min(*wake, slot) : slot;
  }
  return wake;
}

}  // namespace slideshow
