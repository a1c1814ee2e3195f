#pragma once
// Frame stepping of animation strips. The two counters belong to the process,
// not to the window: they start at 0 when the program starts and are never
// reset, neither by a picture switch nor by a new saver window. The host keeps
// one FrameCounters for the process and lends it to the show.
#include <cstdint>

#include "slideshow/rect.h"

namespace slideshow {

struct FrameCounters {
  int32_t frameIndex = 0;  // frame shown
  int32_t frameTick = 0;   // ticks since the last frame step
};

// Per-window animation values, changed only by bounces.
struct AnimationState {
  int32_t framePeriod = 20;  // a frame is held for framePeriod + 1 ticks
  bool animForward = true;
};

// One tick of a strip: every (framePeriod + 1)-th tick moves frameIndex one
// frame forward or backward, wrapping at the strip's ends, and points
// sourceRect at that frame. After a switch from a longer strip the index may
// lie past the last frame; sourceRect then lies outside the bitmap, which the
// copy clips.
// Where frame `frameIndex` of a strip of `frameSide` frames lies.
Rect StripFrameRect(int32_t frameIndex, int32_t frameSide);

void StepFrame(FrameCounters& counters, const AnimationState& animation, double frameCount,
               int32_t frameSide, Rect& sourceRect);

}  // namespace slideshow
