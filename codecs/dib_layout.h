#pragma once
// The parsed shape of Windows bitmap data, shared by the bitmap, DIB/RLE and
// icon decoders. Parsing checks every size and offset against the bytes, so a
// layout that comes back is safe to decode.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "codecs/byte_reader.h"
#include "codecs/image.h"

namespace codecs {

enum DibCompression : uint32_t { kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3 };

struct DibLayout {
  int32_t width = 0;
  int32_t height = 0;  // always positive; topDown tells the row order
  bool topDown = false;
  uint16_t bitCount = 0;
  uint32_t compression = kBiRgb;  // alpha bitfields are folded into kBiBitfields
  uint32_t masks[4] = {};         // red, green, blue, alpha for 16 and 32 bits
  std::vector<uint32_t> palette;  // 0x00RRGGBB, at most 1 << bitCount entries
  size_t pixelOffset = 0;         // where the pixel data starts in the bytes
};

// Parses the info header at headerOffset. fileOffBits is the pixel offset of
// a 14-byte file header when there is one; without it the pixels follow the
// palette directly, as in a packed DIB.
std::optional<DibLayout> ParseDibLayout(Bytes bytes, size_t headerOffset,
                                        std::optional<uint32_t> fileOffBits);

size_t DibStride(int32_t width, uint16_t bitCount);

// The layout has an alpha channel of its own: an alpha mask in a V4 or V5
// header, or BI_ALPHABITFIELDS. The fourth byte of BI_RGB 32 bits is not one.
bool HasAlphaMask(const DibLayout& layout);

// Uncompressed and bitfield pixels. withAlpha puts each pixel's alpha (of
// 16 and 32 bits) into the top byte, for the caller to resolve; otherwise the
// top byte is 0.
std::optional<Image> DecodeDibPixels(const DibLayout& layout, Bytes bytes, bool withAlpha);

bool AnyAlpha(const Image& image);
uint32_t OverBlack(uint32_t argb);
// Blends every pixel over black when any pixel has alpha; a picture whose
// alpha is all zero is taken as opaque, as writers often leave it unset.
void ResolveAlpha(Image& image);

std::optional<Image> DecodeDibRle(const DibLayout& layout, Bytes bytes);

}  // namespace codecs
