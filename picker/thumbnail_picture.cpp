#include "picker/thumbnail_picture.h"

#include "codecs/decode_picture.h"
#include "codecs/picture_extension.h"

namespace picker {

std::optional<codecs::Image> DecodeThumbnailPicture(const std::string& cp932Path,
                                                    const FileReader& readFile) {
  const std::string extension = codecs::PictureExtension(cp932Path);
  if (!codecs::HasPictureDecoder(extension)) return std::nullopt;
  const std::optional<std::vector<uint8_t>> bytes = readFile(cp932Path);
  if (!bytes) return std::nullopt;
  return codecs::DecodePicture(extension, *bytes, codecs::JpegQuality::Thumbnail);
}

}  // namespace picker
