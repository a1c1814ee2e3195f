#pragma once
// The back buffer as the show writes it: memory the host owns (the pixels of
// a 32-bit top-down DIB section in the saver, a vector in tests).
#include <cstddef>
#include <cstdint>

#include "slideshow/rect.h"

namespace slideshow {

struct PixelView {
  uint32_t* pixels = nullptr;  // 0x00RRGGBB, top row first
  int32_t width = 0;
  int32_t height = 0;
  ptrdiff_t stride = 0;  // pixels from one row to the next

  uint32_t* row(int32_t y) const { return pixels + ptrdiff_t(y) * stride; }
  Size size() const { return {width, height}; }
  Rect bounds() const { return {0, 0, width, height}; }
  // The pixels of `r`, which lies within the view.
  PixelView Part(const Rect& r) const { return {row(r.top) + r.left, r.width(), r.height(), stride}; }
};

}  // namespace slideshow
