#pragma once
#include <optional>

#include "codecs/byte_reader.h"
#include "codecs/image.h"

namespace codecs {

// The saver decodes JPEG at full size with the accurate integer DCT; the
// thumbnail preview at half size (each side rounded up) with the fast one.
enum class JpegQuality { Saver, Thumbnail };

// Greyscale, YCbCr, RGB, CMYK and YCCK files (Adobe-inverted or not) decode;
// a damaged or truncated file, or one over the size cap, gives nothing.
std::optional<Image> DecodeJpeg(Bytes bytes, JpegQuality quality);

}  // namespace codecs
