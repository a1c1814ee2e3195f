#include "slideshow/crossfade.h"

#include <algorithm>

namespace slideshow {

int64_t CrossfadeDurationNs(int32_t switchSeconds) {
  constexpr int64_t kLongest = 1'000'000'000;
  if (switchSeconds <= 0) return 0;
  return std::min(kLongest, int64_t(switchSeconds) * 1'000'000'000 / 3);
}

double CrossfadeOpacity(int64_t elapsedNs, int64_t durationNs) {
  if (elapsedNs >= durationNs) return 1;
  if (elapsedNs <= 0) return 0;
  const double t = double(elapsedNs) / double(durationNs);
  return t * t * (3 - 2 * t);
}

}  // namespace slideshow
