#pragma once
// Y'CbCr planes as AV1 carries them (8, 10 or 12 bits in 8- or 16-bit
// samples; 4:2:0, 4:2:2, 4:4:4 or luma only) to Image pixels.
#include <cstddef>
#include <cstdint>

#include "codecs/image.h"

namespace codecs {

struct YuvPlanes {
  const void* y = nullptr;
  const void* u = nullptr;  // null for luma only
  const void* v = nullptr;
  ptrdiff_t yStride = 0;  // in bytes
  ptrdiff_t uvStride = 0;
  int bitDepth = 8;       // samples are 16-bit words above 8
  int chromaShiftX = 1;   // 1 when chroma has half the columns
  int chromaShiftY = 1;   // 1 when chroma has half the rows
};

// Matrix coefficients by their ITU-T H.273 code point (0 identity: G, B, R
// planes; 1 BT.709; 5, 6 BT.601; 9, 10 BT.2020; unknown ones as BT.601) and
// the sample range. Subsampled chroma is interpolated between its samples.
void YuvToRgb(const YuvPlanes& planes, int matrix, bool fullRange, Image& image);

// An alpha plane (the luma of its own picture) times each pixel of the Image,
// showing it over black. (Pixels stored premultiplied by alpha already are.)
void ApplyAlphaPlane(const void* alpha, ptrdiff_t stride, int bitDepth, bool fullRange,
                     Image& image);

}  // namespace codecs
