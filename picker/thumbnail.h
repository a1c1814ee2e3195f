#pragma once
// The preview of the picture-selection dialog: ShowThumbnail decodes a file,
// reduces it into the 168 x 168 square and shows it pixel for pixel in the
// image box imS with the path in lblFileName; HideThumbnail hides the box and
// empties the label. A file that cannot be shown gives the fallback picture,
// without a message.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "codecs/image.h"
#include "codecs/shown_size.h"
#include "picker/controls.h"

namespace picker {

class ImageBoxView {
 public:
  virtual ~ImageBoxView() = default;
  virtual void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) = 0;
  // The picture has the box's size.
  virtual void SetPicture(codecs::Image picture) = 0;
  virtual void SetVisible(bool visible) = 0;
};

// Decodes a file for the preview; nothing when it cannot be decoded. A
// decoder that can reduce while decoding asks `shown` the size in the box and
// delivers no less than that (see codecs::ShownSize). An exception out of it
// counts as nothing.
using ThumbnailDecoder = std::function<std::optional<codecs::Image>(
    const std::string& path, const codecs::ShownSize& shown)>;

// Decodes a file and reduces it to the box's size, wherever the file is read
// (on the dialog's reader, so a huge picture never reaches the dialog's
// thread whole): the box fits the size the decoder would have delivered
// whole, when it asked, else the picture's own. Nothing when the file cannot
// be shown, for any reason (even running out of memory).
std::optional<codecs::Image> ReadThumbnail(const ThumbnailDecoder& decode, const std::string& path);

class Thumbnail : public ThumbnailView {
 public:
  // imageBoxLeft and imageBoxTop are imS's designed place, the top-left
  // corner of the square every placement is relative to.
  Thumbnail(ImageBoxView& imS, LabelView& lblFileName, ThumbnailDecoder decode,
            codecs::Image fallback, int32_t imageBoxLeft, int32_t imageBoxTop);

  void ShowThumbnail(const std::string& path) override;
  void HideThumbnail() override;
  // Shows what ReadThumbnail gave for `path`: the fallback for nothing.
  void ShowRead(const std::string& path, std::optional<codecs::Image> read);

 private:
  ImageBoxView& imS_;
  LabelView& lblFileName_;
  ThumbnailDecoder decode_;
  codecs::Image fallback_;
  int32_t imageBoxLeft_;
  int32_t imageBoxTop_;
};

}  // namespace picker
