#pragma once
#include <optional>

#include "codecs/byte_reader.h"
#include "codecs/image.h"

namespace codecs {

// A whole Windows bitmap file, beginning with its 14-byte "BM" header.
std::optional<Image> DecodeBmpFile(Bytes bytes);

// Windows bitmap data with or without the file header: core (OS/2 1.x),
// OS/2 2.x, info, V4 and V5 headers; 1, 2, 4, 8, 16, 24 and 32 bits;
// BI_RGB, BI_BITFIELDS, BI_RLE4 and BI_RLE8; bottom-up and top-down. Without
// a file header the pixels follow the palette, as in a bitmap resource.
std::optional<Image> DecodeDib(Bytes bytes);

}  // namespace codecs
