#include "slideshow/slide_layers.h"

#include "slideshow/composition.h"

namespace slideshow {

void AddSlideLayers(DisplayMethod method, const Slide& slide, Rect placed, int64_t nowNs, Size screen,
                    double opacity, bool background, FrameLayers& frame) {
  const LoadedPicture& p = slide.picture;
  PictureLayer layer{&p.pictureBitmap, ToRectF(p.geometry.sourceRect), ToRectF(placed), opacity};
  if (method == DisplayMethod::PanZoom && p.geometry.plainPicture) {
    const Size size{p.pictureBitmap.width, p.pictureBitmap.height};
    layer.source = {0, 0, double(size.width), double(size.height)};
    layer.dest = slide.panZoom.PlaceAt(size, screen, nowNs - slide.shownSinceNs);
  }
  if (background) {
    const Rect whole{0, 0, screen.width, screen.height};
    for (const Rect& r : Subtract(whole, PixelsOf(layer.dest, whole)))
      frame.pictures.push_back({nullptr, ToRectF(r), ToRectF(r), opacity});
  }
  frame.pictures.push_back(layer);
}

}  // namespace slideshow
