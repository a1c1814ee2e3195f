#pragma once
#include <optional>

#include "codecs/byte_reader.h"
#include "codecs/image.h"
#include "codecs/shown_size.h"

namespace codecs {

// The saver decodes JPEG from its full size with the accurate integer DCT;
// the thumbnail preview from half size (each side rounded up) with the fast
// one.
enum class JpegQuality { Saver, Thumbnail };

// Greyscale, YCbCr, RGB, CMYK and YCCK files (Adobe-inverted or not) decode;
// a damaged or truncated file, or one over the size cap, gives nothing. With
// `shown`, the picture is decoded at the smallest of libjpeg's scales
// (eighths, up to the quality's own) that still covers the size shown; the
// saver's is then reduced the rest of the way, to the size shown exactly, by
// area averaging as its rows come (see AreaReducer), the thumbnail's comes
// at that scale.
std::optional<Image> DecodeJpeg(Bytes bytes, JpegQuality quality, const ShownSize& shown = {});

}  // namespace codecs
