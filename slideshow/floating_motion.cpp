#include "slideshow/floating_motion.h"

#include <algorithm>

namespace slideshow {
namespace {

// The positions at which a picture of `extent` touches no edge it could
// leave by: [0, limit - extent], or [limit - extent, 0] when it is larger.
struct AxisRange {
  int32_t lo, hi;
  bool Contains(int32_t pos) const { return pos >= lo && pos <= hi; }
};

AxisRange RangeFor(int32_t extent, int32_t limit) {
  return {std::min(0, limit - extent), std::max(0, limit - extent)};
}

// The position mirrored at the edge it passed. Mirrored positions come back
// into the range by at least the range's width less a step per return, so
// they converge only if the range is wider than a step: a picture larger than
// the buffer, or one that fits with no more than a step to spare, is clamped
// instead of letting its position swing wider at every bounce.
void Reflect(int32_t& pos, int32_t& dir, AxisRange r, int32_t step) {
  dir = -dir;
  const int64_t mirrored = pos < r.lo ? 2 * int64_t(r.lo) - pos : 2 * int64_t(r.hi) - pos;
  const bool converges = r.lo == 0 && int64_t(r.hi) > step;
  pos = int32_t(converges ? mirrored : std::clamp<int64_t>(mirrored, r.lo, r.hi));
}

// The classic linear congruential generator, 15-bit results.
int32_t FirstRandom(uint32_t seed) {
  const uint32_t next = seed * 1103515245u + 12345u;
  return int32_t((next >> 16) & 0x7FFF);
}

}  // namespace

void FloatStep(MotionState& m, Size picture, Size buffer, const std::function<void()>& bounce) {
  m.posX += m.stepX * m.dirX;
  m.posY += m.stepY * m.dirY;
  const AxisRange rx = RangeFor(picture.width, buffer.width);
  if (!rx.Contains(m.posX)) {
    bounce();
    Reflect(m.posX, m.dirX, rx, m.stepX);
  }
  const AxisRange ry = RangeFor(picture.height, buffer.height);
  if (!ry.Contains(m.posY)) {
    bounce();
    Reflect(m.posY, m.dirY, ry, m.stepY);
  }
  m.destRect = {m.posX, m.posY, m.posX + picture.width, m.posY + picture.height};
}

void CentreStep(MotionState& m, Size picture, Size screen) {
  m.posX = std::max(0, (screen.width - picture.width) / 2);
  m.posY = std::max(0, (screen.height - picture.height) / 2);
  m.destRect = {m.posX, m.posY, m.posX + picture.width, m.posY + picture.height};
}

Tempo TempoAt(int64_t seconds) {
  const int32_t r = FirstRandom(uint32_t(seconds)) % 6;
  return r == 0 ? Tempo{2, 1} : Tempo{uint32_t(4 * r), r};
}

}  // namespace slideshow
