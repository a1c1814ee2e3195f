#include "app/picture_file_win.h"

#include <exception>

#include "codecs/decode_picture.h"
#include "codecs/file_bytes.h"
#include "codecs/file_source.h"

namespace app {

std::optional<codecs::Image> DecodePictureFile(const std::string& path,
                                               const codecs::ShownSize& shown) {
  try {
    return codecs::DecodePictureFile(
        path, [](const std::string& file) { return codecs::ReadFileBytes(file); },
        codecs::JpegQuality::Saver, shown);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

codecs::PictureHeader ReadPictureFileHeader(const std::string& path) {
  try {
    return codecs::ReadPictureHeaderFile(path, codecs::OpenFileSource);
  } catch (const std::exception&) {
    return {};
  }
}

}  // namespace app
