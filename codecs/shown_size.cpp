#include "codecs/shown_size.h"

#include <algorithm>
#include <utility>

namespace codecs {
namespace {

bool SwapsAxes(int orientation) { return orientation >= 5 && orientation <= 8; }

PictureSize Turned(PictureSize size, bool swap) {
  if (swap) std::swap(size.width, size.height);
  return size;
}

}  // namespace

PictureSize UprightSize(PictureSize stored, int orientation) { return Turned(stored, SwapsAxes(orientation)); }

PictureSize ShownStoredSize(const ShownSize& shown, PictureSize stored, int orientation) {
  if (!shown) return stored;
  const bool swap = SwapsAxes(orientation);
  return Turned(shown(Turned(stored, swap)), swap);
}

PictureSize LeastStoredSize(const ShownSize& shown, PictureSize stored, int orientation) {
  const PictureSize least = ShownStoredSize(shown, stored, orientation);
  return {std::clamp(least.width, 0, stored.width), std::clamp(least.height, 0, stored.height)};
}

}  // namespace codecs
