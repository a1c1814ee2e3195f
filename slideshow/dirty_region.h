#pragma once
// The parts of the back buffer that changed since the window was last given
// it: a short list of rectangles, which may overlap. Presenting them all puts
// on the window exactly what presenting the whole buffer would.
#include <cstddef>
#include <vector>

#include "slideshow/rect.h"

namespace slideshow {

class DirtyRegion {
 public:
  // Beyond this many rectangles, all of them become their bounding box.
  static constexpr size_t kMaxRects = 8;

  // Adds a rectangle; empty ones are ignored. Two rectangles are joined into
  // their bounding box when that box is no larger than the two together
  // (the moving picture's old and new place, for example), so the list stays
  // short without copying much that did not change.
  void Add(Rect r);
  void Clear() { rects_.clear(); }
  bool empty() const { return rects_.empty(); }
  const std::vector<Rect>& Rects() const { return rects_; }

 private:
  std::vector<Rect> rects_;
};

}  // namespace slideshow
