#pragma once
// libheif before 1.16 mirrors an item marked with an imir property across
// the other axis than the one the property names (the property's axis 0 is
// vertical: left and right change places). The two mirrorings differ by a
// half turn, which commutes with every turn and mirroring, so a half turn of
// what such a libheif delivers is the picture as the file means it, whatever
// other transformations the item has.
#include <cstdint>

#include "codecs/byte_reader.h"

namespace codecs {

// Whether the item with that ID has an imir property in the file's meta box;
// false also when the boxes do not read.
bool ItemIsMirrored(Bytes file, uint32_t item);

// Whether the libheif linked in mirrors across the wrong axis.
bool HeifMirrorsAcrossWrongAxis();

}  // namespace codecs
