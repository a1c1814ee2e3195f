#pragma once
// Rectangles are (left, top, right, bottom) in pixels, right and bottom
// exclusive, as the saver's bitmaps and the window use them.
#include <algorithm>
#include <cstdint>
#include <limits>

namespace slideshow {

struct Size {
  int32_t width = 0;
  int32_t height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  int32_t width() const { return right - left; }
  int32_t height() const { return bottom - top; }
  bool empty() const { return right <= left || bottom <= top; }
  int64_t area() const { return empty() ? 0 : int64_t(width()) * height(); }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// The part two rectangles have in common; empty (all zero) when none.
inline Rect Intersection(const Rect& a, const Rect& b) {
  const Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
               std::min(a.bottom, b.bottom)};
  return r.empty() ? Rect{} : r;
}

// The smallest rectangle holding both; an empty one adds nothing.
inline Rect BoundingUnion(const Rect& a, const Rect& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

// Pixel arithmetic is done in 64 bits where a product of two sizes could
// leave 32 bits; this brings the result back, saturating.
inline int32_t ClampToInt32(int64_t v) {
  return int32_t(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                     std::numeric_limits<int32_t>::max()));
}

}  // namespace slideshow
