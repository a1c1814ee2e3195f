#pragma once
// A slide, one picture on the screen with its date caption (or a pair of
// photos, or a photo over its backdrop, laid out as one picture of the
// screen's size by the reader: slide_read.h), and the layers
// the display method makes of it at a moment: floating and still copy the
// picture (or a strip's frame) one to one where the motion placed it; pan &
// zoom stretches the whole picture over the place its zoom path reaches.
#include <cstdint>

#include "slideshow/display_method.h"
#include "slideshow/frame_layers.h"
#include "slideshow/load_picture.h"
#include "slideshow/pan_zoom.h"
#include "slideshow/photo_caption.h"
#include "slideshow/rect.h"

namespace slideshow {

struct Slide {
  explicit Slide(const PixelView& buffer) : caption(buffer), secondCaption(buffer) {}
  LoadedPicture picture;
  PhotoCaption caption;  // the day the picture was taken
  // The day a pair's second photo was taken, where it is not drawn into the
  // slide's picture (slide_captions.h).
  PhotoCaption secondCaption;
  PanZoomPath panZoom;
  int64_t shownSinceNs = 0;  // when it came on the screen
};

// Adds the slide's picture layers at `nowNs` on a `screen`-sized frame, one
// to one at `placed` unless pan & zoom moves it, at `opacity`. With
// `background`, black goes wherever the picture does not, at the same
// opacity: a slide fading in over another then mixes the two frames exactly.
void AddSlideLayers(DisplayMethod method, const Slide& slide, Rect placed, int64_t nowNs, Size screen,
                    double opacity, bool background, FrameLayers& frame);

}  // namespace slideshow
