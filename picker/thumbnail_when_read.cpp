#include "picker/thumbnail_when_read.h"

#include <utility>

namespace picker {

ThumbnailWhenRead::ThumbnailWhenRead(platform::BackgroundReader& reads, int slot, ImageBoxView& imS,
                                     LabelView& lblFileName, ThumbnailDecoder decode,
                                     codecs::Image fallback, int32_t imageBoxLeft,
                                     int32_t imageBoxTop)
    : reads_(reads),
      slot_(slot),
      decode_(decode),
      shown_(imS, lblFileName, std::move(decode), std::move(fallback), imageBoxLeft, imageBoxTop) {}

// The picture is reduced to the box's size on the worker: only that much
// ever reaches the dialog's thread.
void ThumbnailWhenRead::ShowThumbnail(const std::string& path) {
  reads_.Start(slot_, [this, decode = decode_, path]() -> platform::BackgroundReader::Answer {
    return [this, path, read = ReadThumbnail(decode, path)]() mutable {
      shown_.ShowRead(path, std::move(read));
    };
  });
}

void ThumbnailWhenRead::HideThumbnail() {
  reads_.Cancel(slot_);
  shown_.HideThumbnail();
}

}  // namespace picker
