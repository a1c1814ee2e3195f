#pragma once
// The soft backdrop behind a picture that does not fill the screen: a copy
// of the same picture covering the whole screen, heavily blurred and
// darkened to half. It is made once per slide, on the reader, at a reduced
// size (the blur leaves nothing that needs more pixels), and the show
// stretches it over the screen as the slide's bottom layer.
#include <cstdint>

#include "codecs/image.h"
#include "slideshow/pixel_view.h"
#include "slideshow/rect.h"

namespace slideshow {

// The backdrop's width in its own pixels (less on a narrower screen); its
// height keeps the screen's shape.
inline constexpr int32_t kBackdropWidth = 200;
// The blur's radius as a share of the screen's width, in thousandths: the
// standard deviation of the blur, as a Gaussian blur's radius is usually
// given.
inline constexpr int32_t kBackdropBlurPermille = 30;

struct BackdropGeometry {
  // The part of the picture that covers the screen: the largest rectangle of
  // the screen's shape within the picture, centred in it.
  Rect sourceRect;
  // The backdrop image's size; stretched over the whole screen.
  Size size;
  // Each of the three box blurs' radius, in backdrop pixels; three passes
  // blur about as a Gaussian whose standard deviation is this radius.
  int32_t boxRadius = 0;
  friend bool operator==(const BackdropGeometry&, const BackdropGeometry&) = default;
};

// Where the backdrop of a picture of that size comes from on a screen of
// that size. Sizes under one pixel count as one.
BackdropGeometry PlanBackdrop(Size picture, Size screen);

// The backdrop of a picture (as decoded, or already fitted: any size of the
// same picture gives the same backdrop, but for the detail it averages away):
// the source rectangle reduced to the backdrop's size, blurred and darkened
// to half. An empty picture gives a black backdrop.
codecs::Image MakeBackdrop(const codecs::Image& picture, Size screen);
// The same of a picture that lies in a view (a part of a larger picture).
codecs::Image MakeBackdrop(const PixelView& picture, Size screen);

}  // namespace slideshow
