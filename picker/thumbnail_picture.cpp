#include "picker/thumbnail_picture.h"

#include "codecs/decode_picture.h"
#include "codecs/picture_extension.h"

namespace picker {

std::optional<codecs::Image> DecodeThumbnailPicture(const std::string& path,
                                                    const FileReader& readFile,
                                                    const codecs::ShownSize& shown) {
  const std::string extension = codecs::PictureExtension(path);
  if (!codecs::HasPictureDecoder(extension)) return std::nullopt;
  const std::optional<std::vector<uint8_t>> bytes = readFile(path);
  if (!bytes) return std::nullopt;
  return codecs::DecodePicture(extension, *bytes, codecs::JpegQuality::Thumbnail, shown);
}

}  // namespace picker
