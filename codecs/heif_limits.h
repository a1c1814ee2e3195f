#pragma once
// What libheif 1.15 leaves unbounded in a HEIF or AVIF file, checked in the
// file's item structure before libheif reads it. A grid or an overlay is
// decoded image by image, each through a decoder of its own, so a file of a
// few kilobytes naming one tiny tile sixty thousand times, or grids made of
// grids, would keep the decoder busy for minutes; and the canvas such an
// item declares is allocated whole, whatever the item's own size says.
#include "codecs/byte_reader.h"

namespace codecs {

// The most images a grid or an overlay is made of: a 40-megapixel photo
// in the 512 x 512 tiles phones write takes 160.
inline constexpr size_t kMaxHeifIngredients = 1024;

// True when every grid and overlay of the file declares a canvas within the
// picture cap and is made of at most kMaxHeifIngredients coded images (no
// grid, overlay or identity item among them); false also when the file's
// items cannot be read.
bool HeifWithinLimits(Bytes file);

}  // namespace codecs
