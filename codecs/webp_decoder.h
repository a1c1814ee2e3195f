#pragma once
#include <optional>

#include "codecs/byte_reader.h"
#include "codecs/image.h"
#include "codecs/shown_size.h"

namespace codecs {

// Lossy and lossless WebP, with alpha shown over black; of an animation, the
// first frame on its canvas (what the frame leaves uncovered is black). The
// EXIF orientation is applied and an ICCP profile converted to sRGB. A damaged
// or truncated file, or one over the size cap, gives nothing. With `shown`, a
// first frame that fills its canvas comes reduced by the decoder's own scaler
// to exactly the size shown.
std::optional<Image> DecodeWebp(Bytes bytes, const ShownSize& shown = {});

}  // namespace codecs
