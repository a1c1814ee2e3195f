#include "picker/thumbnail.h"

#include <utility>

#include "picker/thumbnail_fit.h"
#include "slideshow/resample.h"

namespace picker {
namespace {

// `whole` is the size the box is fitted to; nothing for the picture's own.
codecs::Image ReduceIntoBox(const codecs::Image& picture, std::optional<codecs::PictureSize> whole) {
  const codecs::PictureSize size = whole.value_or(codecs::PictureSize{picture.width, picture.height});
  const ThumbnailPlacement place = FitThumbnail(size.width, size.height, 0, 0);
  return slideshow::ResamplePicture(picture, place.width, place.height);
}

}  // namespace

// Reading and decoding run on whatever the user points at; a failure of any
// kind is a file that cannot be shown.
std::optional<codecs::Image> ReadThumbnail(const ThumbnailDecoder& decode, const std::string& path) {
  try {
    std::optional<codecs::PictureSize> whole;
    const codecs::ShownSize shown = [&whole](codecs::PictureSize size) {
      whole = size;
      const ThumbnailPlacement place = FitThumbnail(size.width, size.height, 0, 0);
      return codecs::PictureSize{place.width, place.height};
    };
    const std::optional<codecs::Image> decoded = decode(path, shown);
    if (!decoded || decoded->empty()) return std::nullopt;
    return ReduceIntoBox(*decoded, whole);
  } catch (...) {
    return std::nullopt;
  }
}

Thumbnail::Thumbnail(ImageBoxView& imS, LabelView& lblFileName, ThumbnailDecoder decode,
                     codecs::Image fallback, int32_t imageBoxLeft, int32_t imageBoxTop)
    : imS_(imS),
      lblFileName_(lblFileName),
      decode_(std::move(decode)),
      fallback_(std::move(fallback)),
      imageBoxLeft_(imageBoxLeft),
      imageBoxTop_(imageBoxTop) {}

void Thumbnail::ShowThumbnail(const std::string& path) { ShowRead(path, ReadThumbnail(decode_, path)); }

void Thumbnail::ShowRead(const std::string& path, std::optional<codecs::Image> read) {
  // What was read is already no larger than the box, so it fits unreduced.
  codecs::Image picture = read ? std::move(*read) : ReduceIntoBox(fallback_, {});
  const ThumbnailPlacement place = FitThumbnail(picture.width, picture.height, imageBoxLeft_, imageBoxTop_);
  imS_.SetBounds(place.left, place.top, place.width, place.height);
  imS_.SetPicture(std::move(picture));
  imS_.SetVisible(true);
  lblFileName_.SetCaption(path);
}

void Thumbnail::HideThumbnail() {
  imS_.SetVisible(false);
  lblFileName_.SetCaption("");
}

}  // namespace picker
