#include "slideshow/animation_strip.h"

namespace slideshow {

void StepFrame(FrameCounters& c, const AnimationState& animation, double frameCount,
               int32_t frameSide, Rect& sourceRect) {
  c.frameTick = c.frameTick >= animation.framePeriod ? 0 : c.frameTick + 1;
  if (c.frameTick != 0) return;
  if (animation.animForward) {
    ++c.frameIndex;
    if (double(c.frameIndex) >= frameCount) c.frameIndex = 0;
  } else {
    --c.frameIndex;
    if (c.frameIndex < 0) c.frameIndex = int32_t(frameCount - 1);
  }
  sourceRect = StripFrameRect(c.frameIndex, frameSide);
}

// 64-bit so that an index far past a short strip cannot overflow; the result
// lies outside the bitmap then and draws nothing.
Rect StripFrameRect(int32_t frameIndex, int32_t frameSide) {
  const int64_t left = int64_t(frameIndex) * frameSide;
  return {ClampToInt32(left), 0, ClampToInt32(left + frameSide), frameSide};
}

}  // namespace slideshow
