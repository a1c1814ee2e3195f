#include "slideshow/dirty_region.h"

namespace slideshow {
namespace {

bool WorthJoining(const Rect& a, const Rect& b) {
  return BoundingUnion(a, b).area() <= a.area() + b.area();
}

}  // namespace

void DirtyRegion::Add(Rect r) {
  if (r.empty()) return;
  // A joined rectangle may now be worth joining with another one.
  for (size_t i = 0; i < rects_.size();) {
    if (WorthJoining(rects_[i], r)) {
      r = BoundingUnion(rects_[i], r);
      rects_.erase(rects_.begin() + ptrdiff_t(i));
      i = 0;
    } else {
      ++i;
    }
  }
  rects_.push_back(r);
  if (rects_.size() <= kMaxRects) return;
  Rect all;
  for (const Rect& each : rects_) all = BoundingUnion(all, each);
  rects_.assign(1, all);
}

}  // namespace slideshow
