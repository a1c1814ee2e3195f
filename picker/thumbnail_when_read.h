#pragma once
// The preview of the picture-selection dialog with its file read on the
// dialog's worker: the thumbnail appears once the picture has been read and
// decoded, and a click on another file meanwhile wins (the older read's
// picture is never shown). Hiding it also forgets a read under way.
#include <cstdint>
#include <string>

#include "codecs/image.h"
#include "platform/background_reader.h"
#include "picker/controls.h"
#include "picker/thumbnail.h"

namespace picker {

class ThumbnailWhenRead : public ThumbnailView {
 public:
  // `decode` runs on the worker; `slot` is the reads' slot for the preview.
  // The rest is as for Thumbnail.
  ThumbnailWhenRead(platform::BackgroundReader& reads, int slot, ImageBoxView& imS, LabelView& lblFileName,
                    ThumbnailDecoder decode, codecs::Image fallback, int32_t imageBoxLeft,
                    int32_t imageBoxTop);

  void ShowThumbnail(const std::string& path) override;
  void HideThumbnail() override;

 private:
  platform::BackgroundReader& reads_;
  int slot_;
  ThumbnailDecoder decode_;
  Thumbnail shown_;
};

}  // namespace picker
