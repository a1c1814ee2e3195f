#include "slideshow/slide_pairing.h"

#include <algorithm>

#include "slideshow/picture_fitting.h"

namespace slideshow {
namespace {

bool IsPortraitScreen(Size screen) { return screen.height > screen.width; }

// Whether a picture fills a half of this screen better than the whole.
bool SuitsAHalf(Size screen, const codecs::PictureHeader& header) {
  if (!header.read || IsAnimationStrip(header.size.width, header.size.height)) return false;
  return IsPortraitScreen(screen) ? !header.portrait() : header.portrait();
}

// The picture's size reduced to fit within `box`, its shape kept; a picture
// that fits already keeps its size.
Size FitWithin(Size picture, Size box) {
  const int64_t w = std::max(picture.width, 1), h = std::max(picture.height, 1);
  const int64_t bw = std::max(box.width, 1), bh = std::max(box.height, 1);
  if (w <= bw && h <= bh) return {int32_t(w), int32_t(h)};
  if (w * bh > h * bw) return {int32_t(bw), int32_t(std::max<int64_t>(1, h * bw / w))};
  return {int32_t(std::max<int64_t>(1, w * bh / h)), int32_t(bh)};
}

PairedPlace PlaceIn(Rect half, Size picture, int32_t gap) {
  const Size fitted = FitWithin(picture, {half.width() - gap, half.height() - gap});
  const int32_t left = half.left + (half.width() - fitted.width) / 2;
  const int32_t top = half.top + (half.height() - fitted.height) / 2;
  return {half, {left, top, left + fitted.width, top + fitted.height}};
}

}  // namespace

bool ShowsAsPair(Size screen, const codecs::PictureHeader& current,
                 const std::optional<codecs::PictureHeader>& next) {
  return next && SuitsAHalf(screen, current) && SuitsAHalf(screen, *next);
}

int32_t PairGap(Size screen) { return std::max(2, screen.width / 100 / 2 * 2); }

PairLayout LayOutPair(Size screen, Size first, Size second) {
  const int32_t gap = PairGap(screen);
  if (IsPortraitScreen(screen)) {
    const int32_t middle = screen.height / 2;
    return {PlaceIn({0, 0, screen.width, middle}, first, gap),
            PlaceIn({0, middle, screen.width, screen.height}, second, gap)};
  }
  const int32_t middle = screen.width / 2;
  return {PlaceIn({0, 0, middle, screen.height}, first, gap),
          PlaceIn({middle, 0, screen.width, screen.height}, second, gap)};
}

}  // namespace slideshow
