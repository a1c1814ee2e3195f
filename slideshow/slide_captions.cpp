#include "slideshow/slide_captions.h"

namespace slideshow {

void ShowSlideCaptions(Slide& slide, const std::optional<codecs::PhotoDate>& taken,
                       const std::vector<LaidOutPhoto>& photos, DisplayMethod method, const CaptionText& text,
                       const std::string& face, const RenderTextMask& render) {
  const auto show = [&](PhotoCaption& caption, Rect area, const std::string& line) {
    caption.StandIn(area);
    caption.Show(line, face, render);
  };
  const Rect screen = slide.caption.Whole();
  if (photos.empty()) {
    show(slide.caption, screen, text(taken));
    show(slide.secondCaption, screen, {});
    return;
  }
  if (method == DisplayMethod::PanZoom) {
    show(slide.caption, photos[0].area, text(photos[0].taken));
    show(slide.secondCaption, photos.size() > 1 ? photos[1].area : screen,
         photos.size() > 1 ? text(photos[1].taken) : std::string());
    return;
  }
  codecs::Image& picture = slide.picture.pictureBitmap;
  const PixelView drawn{picture.pixels.data(), picture.width, picture.height, picture.width};
  for (const LaidOutPhoto& photo : photos) {
    PhotoCaption baked(drawn);
    show(baked, photo.area, text(photo.taken));
    if (const TextLayer line = baked.Line(); line.draw) line.draw();
  }
  show(slide.caption, screen, {});
  show(slide.secondCaption, screen, {});
}

}  // namespace slideshow
