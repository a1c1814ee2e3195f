#include "picker/thumbnail_when_read.h"

#include <exception>
#include <utility>

#include "picker/thumbnail_fit.h"

namespace picker {

ThumbnailWhenRead::ThumbnailWhenRead(platform::BackgroundReader& reads, int slot, ImageBoxView& imS,
                                     LabelView& lblFileName, ThumbnailDecoder decode,
                                     codecs::Image fallback, int32_t imageBoxLeft,
                                     int32_t imageBoxTop)
    : reads_(reads),
      slot_(slot),
      decode_(std::move(decode)),
      shown_(imS, lblFileName,
             [this](const std::string&, const codecs::ShownSize& shown) {
               // The box is fitted to the size the worker's decoder read.
               if (readWhole_) shown(*std::exchange(readWhole_, std::nullopt));
               return std::exchange(read_, std::nullopt);
             },
             std::move(fallback), imageBoxLeft, imageBoxTop) {}

void ThumbnailWhenRead::ShowThumbnail(const std::string& path) {
  reads_.Start(slot_, [this, decode = decode_, path]() -> platform::BackgroundReader::Answer {
    std::optional<codecs::Image> picture;
    std::optional<codecs::PictureSize> whole;
    const codecs::ShownSize shown = [&whole](codecs::PictureSize size) {
      whole = size;
      const ThumbnailPlacement place = FitThumbnail(size.width, size.height, 0, 0);
      return codecs::PictureSize{place.width, place.height};
    };
    try {
      picture = decode(path, shown);
    } catch (const std::exception&) {
      // Shown as a file that cannot be decoded: the fallback picture.
    }
    return [this, path, picture = std::move(picture), whole]() mutable {
      read_ = std::move(picture);
      readWhole_ = whole;
      shown_.ShowThumbnail(path);
    };
  });
}

void ThumbnailWhenRead::HideThumbnail() {
  reads_.Cancel(slot_);
  shown_.HideThumbnail();
}

}  // namespace picker
