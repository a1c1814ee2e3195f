#pragma once
// Where the picture stands on each tick: floating diagonally and bouncing off
// the edges of the back buffer, or centred on the screen; and the tempo that
// each bounce draws.
#include <cstdint>
#include <functional>

#include "slideshow/rect.h"

namespace slideshow {

struct MotionState {
  int32_t posX = 0, posY = 0;  // top-left corner in back-buffer pixels
  int32_t stepX = 2, stepY = 2;
  int32_t dirX = +1, dirY = +1;
  Rect destRect;
};

// One floating step of a w x h picture inside a BW x BH buffer. Each axis is
// tested after the move, horizontal first; a bounce calls `bounce` (sound,
// animation direction, tempo), reverses the direction and mirrors the
// position at the edge it passed, so a corner bounces twice in one tick.
//
// A picture larger than the buffer on an axis (only a strip, which is never
// reduced, can be) travels between the two positions where its edges meet the
// buffer's, [BW - w, 0], and bounces there; after mirroring, its position is
// clamped into that range, so it comes back at once and no position grows
// without bound. A picture that fits bounces in [0, BW - w] and is mirrored
// exactly (-pos, or 2 x BW - 2 x w - pos), even when it arrives far outside
// (a larger picture after a switch): it then comes back over a few bounces.
// Only when it fits with no more than a step to spare, where mirroring would
// swing ever wider, is it clamped too.
void FloatStep(MotionState& m, Size picture, Size buffer, const std::function<void()>& bounce);

// Centres a w x h picture on the SW x SH screen; a picture larger than the
// screen is put at 0 on that axis.
void CentreStep(MotionState& m, Size picture, Size screen);

struct Tempo {
  uint32_t timerInterval;  // ms for Timer1
  int32_t framePeriod;
  friend bool operator==(const Tempo&, const Tempo&) = default;
};

// The tempo drawn at a bounce at the given time: the generator is reseeded
// with the time in whole seconds, so all bounces of one second draw the same.
Tempo TempoAt(int64_t seconds);

}  // namespace slideshow
