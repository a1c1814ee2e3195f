#include "picker/thumbnail.h"

#include <utility>

#include "picker/thumbnail_fit.h"
#include "slideshow/resample.h"

namespace picker {

Thumbnail::Thumbnail(ImageBoxView& imS, LabelView& lblFileName, ThumbnailDecoder decode,
                     codecs::Image fallback, int32_t imageBoxLeft, int32_t imageBoxTop)
    : imS_(imS),
      lblFileName_(lblFileName),
      decode_(std::move(decode)),
      fallback_(std::move(fallback)),
      imageBoxLeft_(imageBoxLeft),
      imageBoxTop_(imageBoxTop) {}

// Reading and decoding run on whatever the user points at; a failure of any
// kind, even running out of memory, is a file that cannot be shown.
std::optional<codecs::Image> Thumbnail::DecodeOrNothing(const std::string& path,
                                                       const codecs::ShownSize& shown) const {
  try {
    return decode_(path, shown);
  } catch (...) {
    return std::nullopt;
  }
}

void Thumbnail::ShowThumbnail(const std::string& path) {
  // Set when the decoder asks: the box fits the size it would deliver whole,
  // which the delivered pixels may no longer have.
  std::optional<ThumbnailPlacement> place;
  const codecs::ShownSize shown = [&](codecs::PictureSize whole) {
    place = FitThumbnail(whole.width, whole.height, imageBoxLeft_, imageBoxTop_);
    return codecs::PictureSize{place->width, place->height};
  };
  std::optional<codecs::Image> decoded = DecodeOrNothing(path, shown);
  const bool usable = decoded && !decoded->empty();
  const codecs::Image& picture = usable ? *decoded : fallback_;
  if (!usable || !place) place = FitThumbnail(picture.width, picture.height, imageBoxLeft_, imageBoxTop_);
  imS_.SetBounds(place->left, place->top, place->width, place->height);
  imS_.SetPicture(slideshow::ResamplePicture(picture, place->width, place->height));
  imS_.SetVisible(true);
  lblFileName_.SetCaption(path);
}

void Thumbnail::HideThumbnail() {
  imS_.SetVisible(false);
  lblFileName_.SetCaption("");
}

}  // namespace picker
