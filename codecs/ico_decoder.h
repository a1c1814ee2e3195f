#pragma once
#include <optional>

#include "codecs/byte_reader.h"
#include "codecs/image.h"

namespace codecs {

// The largest image of a Windows icon file, drawn over black at its own size:
// transparent pixels (AND mask set) are black, and 32-bit images with an alpha
// channel are blended over black. Entries stored as PNG are not decoded; the
// largest bitmap entry is taken instead.
std::optional<Image> DecodeIco(Bytes bytes);

}  // namespace codecs
