#pragma once
// A picture drawn scaled into the back buffer by bilinear interpolation, at
// any fractional source and destination rectangle: the pan & zoom frame,
// resampled anew every frame so its motion is sub-pixel smooth.
#include <cstddef>  // codecs/image.h uses size_t
#include <cstdint>

#include "codecs/image.h"
#include "slideshow/pixel_view.h"
#include "slideshow/rect.h"

namespace slideshow {

// A rectangle in fractional pixels; a pixel belongs to it when its centre
// lies inside.
struct RectF {
  double left = 0, top = 0, right = 0, bottom = 0;
  double width() const { return right - left; }
  double height() const { return bottom - top; }
  bool empty() const { return !(right > left) || !(bottom > top); }
  friend bool operator==(const RectF&, const RectF&) = default;
};

inline RectF ToRectF(const Rect& r) { return {double(r.left), double(r.top), double(r.right), double(r.bottom)}; }

// The whole pixels of `r` (those whose centres lie inside it) within `clip`.
Rect PixelsOf(const RectF& r, const Rect& clip);

// Draws `source` of the picture stretched over `dest` of the buffer, mixed
// into what is there by `weight` (pixel_mix.h). Each buffer pixel samples
// the picture at its centre's place, between the four nearest picture
// pixels; past the picture's edge the edge pixels repeat. Nothing outside
// the buffer or the picture is touched.
void DrawScaled(const PixelView& buffer, const codecs::Image& picture, const RectF& source, const RectF& dest,
                int32_t weight);

}  // namespace slideshow
