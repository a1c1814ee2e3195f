#pragma once
#include <optional>

#include "codecs/byte_reader.h"
#include "codecs/image.h"
#include "codecs/shown_size.h"

namespace codecs {

// One thread per core of the machine.
int HeifDecodingThreads();

// HEIC, HEIF and AVIF through libheif (HEVC by libde265, AV1 by dav1d): the
// primary image, a grid assembled from its tiles, 8 to 12 bits, alpha shown
// over black, the colour converted to sRGB from an ICC profile or the coded
// primaries and transfer. The file's own transformations (irot, imir, clap)
// turn it upright; an EXIF orientation inside the file is not applied again.
// A damaged or truncated file, or one over the size cap, gives nothing. HEVC
// cannot decode at a reduced scale, so with `shown` a thumbnail image the
// file holds is decoded instead, when it still covers the size shown.
//
// The decode runs on the calling thread and on threads of its own, at most
// `threads` of them at work at once: a grid's tiles side by side, or one
// image's wavefront rows side by side. The pixels are the same whatever the
// number.
std::optional<Image> DecodeHeif(Bytes bytes, const ShownSize& shown = {}, int threads = HeifDecodingThreads());

}  // namespace codecs
