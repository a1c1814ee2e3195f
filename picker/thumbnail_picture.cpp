#include "picker/thumbnail_picture.h"

namespace picker {

std::optional<codecs::Image> DecodeThumbnailPicture(const std::string& path,
                                                    const FileReader& readFile,
                                                    const codecs::ShownSize& shown) {
  return codecs::DecodePictureFile(path, readFile, codecs::JpegQuality::Thumbnail, shown);
}

}  // namespace picker
