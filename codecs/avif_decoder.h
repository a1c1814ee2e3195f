#pragma once
#include <optional>

#include "codecs/byte_reader.h"
#include "codecs/image.h"

namespace codecs {

// The primary image of an AVIF file: 8, 10 or 12 bits, any chroma layout, its
// alpha plane shown over black. irot and imir are applied, and the colour
// converted to sRGB from an ICC profile or from coded primaries and transfer.
// A damaged or truncated file, a grid image, or one over the size cap, gives
// nothing.
std::optional<Image> DecodeAvif(Bytes bytes);

}  // namespace codecs
