#pragma once
#include "codecs/byte_reader.h"

namespace codecs {

// The orientation tag (0x0112) of an EXIF block's first image directory: 1 to
// 8 as the tag defines them (1 upright, 6 turned a quarter to the left so it
// must be turned a quarter clockwise, ...). The block is a TIFF structure,
// optionally preceded by "Exif\0\0" as JPEG's APP1 carries it. Anything
// missing, out of range or outside the block gives 1.
int ExifOrientation(Bytes exif);

}  // namespace codecs
