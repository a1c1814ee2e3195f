#include "slideshow/picture_fitting.h"

#include "slideshow/pan_zoom.h"

namespace slideshow {
namespace {

// Height for a width at the picture's aspect (width * 1000 / height). A
// picture more than 1000 times higher than wide has aspect 0; its height then
// stays, as no width can change it.
int32_t HeightFor(int64_t width, int64_t aspect, int32_t height) {
  return aspect > 0 ? ClampToInt32(width * 1000 / aspect) : height;
}

}  // namespace

bool IsAnimationStrip(int32_t width, int32_t height) {
  return height > 0 && width % height == 0 && int64_t(width) >= 4 * int64_t(height);
}

Size FitPicture(int32_t width, int32_t height, Size screen, bool floating) {
  if (height <= 0 || width <= 0 || IsAnimationStrip(width, height)) return {width, height};
  // Products are taken in 64 bits so that absurd decoded sizes cannot
  // overflow; for every size a decoder delivers they equal 32-bit arithmetic.
  const int64_t aspect = int64_t(width) * 1000 / height;
  const int32_t sw = screen.width, sh = screen.height;
  int32_t w = width, h = height;
  const int32_t limitW = floating ? (sw + sw) / 3 : sw - 10;
  const int32_t limitH = floating ? (sh + sh) / 3 : sh - 10;
  if (w > h) {
    if (w > limitW) {
      w = limitW;
      h = HeightFor(w, aspect, h);
    }
  } else if (h > limitH) {
    h = limitH;
    w = ClampToInt32(int64_t(h) * aspect / 1000);
  }
  if (w > sw - 5 || h > sh - 5) {
    // Stops once the width reaches 0 as well, so that a screen narrower than
    // 10 pixels cannot keep it going.
    while ((w > sw - 10 || h > sh - 10) && w > 0) {
      w = w * 9 / 10;
      h = HeightFor(w, aspect, h);
    }
  }
  return {w, h};
}

Size ShownPictureSize(int32_t width, int32_t height, Size screen, DisplayMethod method) {
  if (method == DisplayMethod::PanZoom) return PanZoomKeptSize(width, height, screen);
  return FitPicture(width, height, screen, method == DisplayMethod::Floating);
}

std::optional<FrameGeometry> FrameGeometryOf(Size fitted) {
  if (fitted.height == 0) return std::nullopt;
  FrameGeometry g;
  const int32_t w = fitted.width, h = fitted.height;
  g.frameCount = double(w / h);
  g.frameSide = h;
  g.plainPicture = !(w > h && w % h == 0 && g.frameCount >= 4);
  g.sourceRect = g.plainPicture ? Rect{0, 0, w, h} : Rect{0, 0, h, h};
  return g;
}

}  // namespace slideshow
