#pragma once
#include <optional>

#include "codecs/byte_reader.h"
#include "codecs/image.h"
#include "codecs/shown_size.h"

namespace codecs {

// Truevision TGA: image types 1, 2, 3 and their run-length forms 9, 10, 11;
// 8, 15, 16, 24 and 32 bits per pixel; colour maps of 15 to 32 bits; every
// origin corner. Alpha is ignored.
std::optional<Image> DecodeTga(Bytes bytes);

// The size DecodeTga delivers, from the header and the colour map that
// follows it; nothing when they do not read.
std::optional<PictureSize> TgaSize(Bytes bytes);

}  // namespace codecs
