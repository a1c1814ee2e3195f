#pragma once
#include <optional>

#include "codecs/byte_reader.h"
#include "codecs/image.h"

namespace codecs {

// Every colour type and bit depth (16-bit samples rounded to 8), palettes with
// tRNS, Adam7 interlacing; transparent parts over black. The eXIf orientation
// is applied and an iCCP profile converted to sRGB. A damaged or truncated
// file, or one over the size cap, gives nothing.
std::optional<Image> DecodePng(Bytes bytes);

}  // namespace codecs
