#pragma once
// Y'CbCr planes as AV1 carries them (8, 10 or 12 bits in 8- or 16-bit
// samples; 4:2:0, 4:2:2, 4:4:4 or luma only) to Image pixels.
#include <cstddef>
#include <cstdint>

#include "codecs/image.h"

namespace codecs {

// One plane as its decoder allocated it: each plane has a size and a stride
// of its own, which a damaged file can make disagree with the picture's.
struct SamplePlane {
  const void* data = nullptr;
  ptrdiff_t stride = 0;  // in bytes
  int32_t width = 0;
  int32_t height = 0;
};

struct YuvPlanes {
  SamplePlane y;
  SamplePlane u;  // data null for luma only
  SamplePlane v;
  int bitDepth = 8;      // samples are 16-bit words above 8
  int chromaShiftX = 1;  // 1 when chroma has half the columns
  int chromaShiftY = 1;  // 1 when chroma has half the rows
};

// Matrix coefficients by their ITU-T H.273 code point (0 identity: G, B, R
// planes; 1 BT.709; 5, 6 BT.601; 9, 10 BT.2020; unknown ones as BT.601) and
// the sample range. Subsampled chroma is interpolated between its samples.
// False, with the Image untouched, when a plane is smaller than the Image
// needs: luma at the Image's size, chroma at that size reduced by its shifts.
bool YuvToRgb(const YuvPlanes& planes, int matrix, bool fullRange, Image& image);

// An alpha plane (the luma of its own picture) times each pixel of the Image,
// showing it over black. (Pixels stored premultiplied by alpha already are.)
// A plane smaller than the Image is left out: the picture shows opaque.
void ApplyAlphaPlane(const SamplePlane& alpha, int bitDepth, bool fullRange, Image& image);

}  // namespace codecs
