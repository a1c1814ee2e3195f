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
std::optional<codecs::Image> Thumbnail::DecodeOrNothing(const std::string& path) const {
  try {
    return decode_(path);
  } catch (...) {
    return std::nullopt;
  }
}

void Thumbnail::ShowThumbnail(const std::string& path) {
  std::optional<codecs::Image> decoded = DecodeOrNothing(path);
  const codecs::Image& picture = decoded && !decoded->empty() ? *decoded : fallback_;
  const ThumbnailPlacement place =
      FitThumbnail(picture.width, picture.height, imageBoxLeft_, imageBoxTop_);
  imS_.SetBounds(place.left, place.top, place.width, place.height);
  imS_.SetPicture(slideshow::ResamplePicture(picture, place.width, place.height));
  imS_.SetVisible(true);
  lblFileName_.SetCaption(path);
}

void Thumbnail::HideThumbnail() {
  imS_.SetVisible(false);
  lblFileName_.SetCaption("");
}

}  // namespace picker
