#include "picker/thumbnail_when_read.h"

#include <exception>
#include <utility>

namespace picker {

ThumbnailWhenRead::ThumbnailWhenRead(BackgroundReads& reads, int slot, ImageBoxView& imS,
                                     LabelView& lblFileName, ThumbnailDecoder decode,
                                     codecs::Image fallback, int32_t imageBoxLeft,
                                     int32_t imageBoxTop)
    : reads_(reads),
      slot_(slot),
      decode_(std::move(decode)),
      shown_(imS, lblFileName,
             [this](const std::string&) { return std::exchange(read_, std::nullopt); },
             std::move(fallback), imageBoxLeft, imageBoxTop) {}

void ThumbnailWhenRead::ShowThumbnail(const std::string& path) {
  reads_.Start(slot_, [this, decode = decode_, path]() -> BackgroundReads::Answer {
    std::optional<codecs::Image> picture;
    try {
      picture = decode(path);
    } catch (const std::exception&) {
      // Shown as a file that cannot be decoded: the fallback picture.
    }
    return [this, path, picture = std::move(picture)]() mutable {
      read_ = std::move(picture);
      shown_.ShowThumbnail(path);
    };
  });
}

void ThumbnailWhenRead::HideThumbnail() {
  reads_.Cancel(slot_);
  shown_.HideThumbnail();
}

}  // namespace picker
