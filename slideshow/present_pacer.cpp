#include "slideshow/present_pacer.h"

namespace slideshow {

int64_t PresentPacer::RefreshPeriodNs(int32_t refreshHz) {
  // Displays run from about 24 Hz to a few hundred; anything else is a
  // placeholder or a driver's mistake.
  if (refreshHz < 20 || refreshHz > 1000) return kDefaultRefreshNs;
  return 1'000'000'000 / refreshHz;
}

}  // namespace slideshow
