#pragma once
// The output size a HEIF grid or overlay item declares in its own data.
// libheif (before 1.16) checks it only side by side, so a crafted grid could
// make it allocate gigabytes; the decoder checks it against the same cap as
// every other picture before anything is decoded.
#include <cstdint>
#include <optional>

#include "codecs/byte_reader.h"
#include "codecs/heif_items.h"
#include "codecs/shown_size.h"

namespace codecs {

// The size the grid or overlay item `item` declares; nothing when the item
// is of another type or its data cannot be found.
std::optional<PictureSize> DeclaredCanvasSize(const HeifMeta& meta, Bytes file, uint32_t item);

// The same for a grid item of the file.
std::optional<PictureSize> DeclaredGridSize(Bytes file, uint32_t item);

}  // namespace codecs
