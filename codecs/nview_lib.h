#pragma once
#include <optional>

#include "codecs/byte_reader.h"
#include "codecs/image.h"

namespace codecs {

// Our picture library for the "jif", "gif", "dib", "rle", "tga" and "pcx"
// files: the file's bytes in, an owned picture or nothing out. The format is
// told by the content, not the name: GIF, JPEG (decoded as the saver decodes
// JPEG), Windows bitmap data with or without its file header, PCX, and TGA,
// which has no signature and is tried last.
std::optional<Image> NViewLibLoad(Bytes bytes);

}  // namespace codecs
