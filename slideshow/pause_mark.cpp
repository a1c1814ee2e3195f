#include "slideshow/pause_mark.h"

#include <algorithm>
#include <cstdlib>

namespace slideshow {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr double kOpacity = 0.6;

void FillRow(const PixelView& buffer, int32_t y, int32_t left, int32_t right) {
  uint32_t* row = buffer.row(y);
  std::fill(row + left, row + right, kWhite);
}

// Bars: a third of the side each, a third apart. The triangle points right,
// its tip halfway down.
void DrawMark(const PixelView& buffer, Rect at, bool paused) {
  const int32_t side = at.width();
  for (int32_t dy = 0; dy < side; ++dy) {
    const int32_t y = at.top + dy;
    if (paused) {
      FillRow(buffer, y, at.left, at.left + side / 3);
      FillRow(buffer, y, at.right - side / 3, at.right);
    } else {
      const int32_t reach = (side - std::abs(2 * dy + 1 - side)) * 7 / 8;
      FillRow(buffer, y, at.left, at.left + std::max(reach, 1));
    }
  }
}

}  // namespace

void PauseMark::Show(bool paused, int64_t nowNs) {
  paused_ = paused;
  sinceNs_ = nowNs;
  ++revision_;
}

std::optional<TextLayer> PauseMark::LayerAt(int64_t nowNs, const PixelView& buffer) const {
  if (!sinceNs_ || nowNs - *sinceNs_ >= kShownNs) return std::nullopt;
  const int32_t side = std::max(buffer.height / 40, 9);
  const Rect at{buffer.width - 2 * side, side, buffer.width - side, 2 * side};
  if (at.left < 0 || at.bottom > buffer.height) return std::nullopt;
  return TextLayer{at, revision_, [buffer, at, paused = paused_] { DrawMark(buffer, at, paused); },
                   kOpacity};
}

}  // namespace slideshow
