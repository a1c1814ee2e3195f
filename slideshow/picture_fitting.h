#pragma once
// The arithmetic that fits a decoded picture to the screen and decides whether
// it is an animation strip. Everything is integer arithmetic whose divisions
// drop the remainder; the one floating-point value is a strip's frame count.
#include <cstdint>
#include <optional>

#include "slideshow/display_method.h"
#include "slideshow/rect.h"

namespace slideshow {

// True for a row of square frames: the width an integer multiple of the height
// and at least four times it. Such a picture keeps its size.
bool IsAnimationStrip(int32_t width, int32_t height);

// The size a W x H picture is shown at on an SW x SH screen. Floating pictures
// are limited to two thirds of the screen, standing ones to the screen less
// 10 pixels; a picture that still comes within 5 pixels of an edge shrinks by
// tenths. Never enlarges. The height may come out 0 for an extremely wide
// picture that is not a strip.
Size FitPicture(int32_t width, int32_t height, Size screen, bool floating);

// The size a W x H picture is kept at for a display method: FitPicture's
// for floating and still, PanZoomKeptSize's for pan & zoom, which resamples
// it anew every frame.
Size ShownPictureSize(int32_t width, int32_t height, Size screen, DisplayMethod method);

// What the tick needs to know about the fitted picture.
struct FrameGeometry {
  bool plainPicture = false;
  double frameCount = 0;
  int32_t frameSide = 0;
  Rect sourceRect;  // the whole picture, or the first frame of a strip
  friend bool operator==(const FrameGeometry&, const FrameGeometry&) = default;
};

// The geometry of a fitted picture; none when its height is 0, since the frame
// count W / H cannot be taken then.
std::optional<FrameGeometry> FrameGeometryOf(Size fitted);

}  // namespace slideshow
