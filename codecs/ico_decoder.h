#pragma once
#include <optional>

#include "codecs/byte_reader.h"
#include "codecs/image.h"
#include "codecs/shown_size.h"

namespace codecs {

// The largest image of a Windows icon file, drawn over black at its own size:
// transparent pixels (AND mask set) are black, and 32-bit images with an alpha
// channel are blended over black. Entries stored as PNG are not decoded; the
// largest bitmap entry is taken instead.
std::optional<Image> DecodeIco(Bytes bytes);

// The size DecodeIco delivers: that of the entry it would draw, found by the
// same checks, without drawing it; nothing when no entry reads.
std::optional<PictureSize> IcoSize(Bytes bytes);

}  // namespace codecs
