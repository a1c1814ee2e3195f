#include "app/picture_file_win.h"

#include <exception>

#include "codecs/decode_picture.h"
#include "codecs/file_bytes.h"
#include "codecs/picture_extension.h"

namespace app {

std::optional<codecs::Image> DecodePictureFile(const std::string& path,
                                               const codecs::ShownSize& shown) {
  try {
    const std::string extension = codecs::PictureExtension(path);
    if (!codecs::HasPictureDecoder(extension)) return std::nullopt;
    const std::optional<std::vector<uint8_t>> bytes = codecs::ReadFileBytes(path);
    if (!bytes) return std::nullopt;
    return codecs::DecodePicture(extension, *bytes, codecs::JpegQuality::Saver, shown);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace app
