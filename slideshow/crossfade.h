#pragma once
// The crossfade at a switch: the outgoing slide fades out while the incoming
// one fades in, over 1 s, or a third of the switching interval when that is
// shorter, eased in and out (smoothstep).
#include <cstdint>

namespace slideshow {

// The fade's length for a switching interval; 0 (no fade) when the show
// never switches.
int64_t CrossfadeDurationNs(int32_t switchSeconds);

// The incoming slide's opacity `elapsed` into a fade of `duration`: 0 at the
// start, exactly 1 from the end on.
double CrossfadeOpacity(int64_t elapsedNs, int64_t durationNs);

}  // namespace slideshow
