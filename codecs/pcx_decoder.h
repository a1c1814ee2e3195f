#pragma once
#include <optional>

#include "codecs/byte_reader.h"
#include "codecs/image.h"
#include "codecs/shown_size.h"

namespace codecs {

// ZSoft PCX, versions 0 to 5: 1 bit, 2 and 4 bits packed, 1-bit planes (up
// to 16 colours), 8 bits with the 256-colour palette at the end of the file,
// and 24 bits as three 8-bit planes (a fourth plane of alpha is ignored).
std::optional<Image> DecodePcx(Bytes bytes);

// The size DecodePcx delivers, from the 128-byte header; nothing when it
// does not read.
std::optional<PictureSize> PcxSize(Bytes bytes);

}  // namespace codecs
