#pragma once
// Pictures that say which colours their numbers mean are converted to sRGB,
// the colour space the screen is taken to have; pictures that say nothing are
// taken as sRGB already and left alone.
#include "codecs/byte_reader.h"
#include "codecs/image.h"

namespace codecs {

// Colour primaries and transfer characteristics by their ITU-T H.273 code
// points, as AVIF's "nclx" colour box gives them. 2 means unspecified.
struct CodedColour {
  int primaries = 2;
  int transfer = 2;
};

// Converts the pixels from the colour space an embedded ICC profile describes
// to sRGB, in place. A profile that is damaged, larger than
// kMaxIccProfileBytes, not one of an RGB space, or sRGB's own, leaves the
// picture as it is.
void ConvertIccToSrgb(Image& image, Bytes iccProfile);

// The same for coded primaries and transfer. BT.709 primaries (sRGB's own)
// with an SDR transfer, unspecified values and HDR transfers (PQ, HLG) leave
// the picture as it is.
void ConvertCodedToSrgb(Image& image, CodedColour colour);

}  // namespace codecs
