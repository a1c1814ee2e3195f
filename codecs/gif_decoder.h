#pragma once
#include <optional>

#include "codecs/byte_reader.h"
#include "codecs/image.h"
#include "codecs/shown_size.h"

namespace codecs {

// The first image of a GIF file on its logical screen: the transparent colour
// and every pixel the frame leaves uncovered are black, interlaced rows go to
// their places, and the parts of a frame outside the screen are cut off.
std::optional<Image> DecodeGif(Bytes bytes);

// The size DecodeGif delivers, from the records before the first image's
// pixels; nothing when they do not read.
std::optional<PictureSize> GifSize(Bytes bytes);

}  // namespace codecs
