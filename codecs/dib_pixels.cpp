// Uncompressed bitmap rows: palette indices of 1, 2, 4 and 8 bits, and direct
// colour of 16, 24 and 32 bits through channel masks.
#include <bit>

#include "codecs/decode_limits.h"
#include "codecs/dib_layout.h"

namespace codecs {
namespace {

struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint64_t max = 0;  // largest value of the channel once shifted down

  explicit Channel(uint32_t m) : mask(m) {
    if (m != 0) {
      shift = std::countr_zero(m);
      max = m >> shift;
    }
  }
  // Scales to 0..255, rounded to nearest, so a 5-bit 31 is 255, not 248.
  uint32_t Scale(uint32_t pixel) const {
    if (max == 0) return 0;
    uint64_t v = (pixel & mask) >> shift;
    return uint32_t((v * 510 + max) / (2 * max));
  }
};

struct MaskSet {
  Channel r, g, b, a;
  explicit MaskSet(const uint32_t (&m)[4]) : r(m[0]), g(m[1]), b(m[2]), a(m[3]) {}
  uint32_t Color(uint32_t p, bool withAlpha) const {
    const uint32_t alpha = withAlpha ? a.Scale(p) << 24 : 0;
    return alpha | Rgb(uint8_t(r.Scale(p)), uint8_t(g.Scale(p)), uint8_t(b.Scale(p)));
  }
};

uint32_t PaletteColor(const std::vector<uint32_t>& palette, uint32_t index) {
  return index < palette.size() ? palette[index] : 0;  // an index past the palette is black
}

void IndexedRow(const DibLayout& d, const uint8_t* src, uint32_t* out) {
  const int bits = d.bitCount;
  const uint32_t valueMask = (1u << bits) - 1;
  for (int32_t x = 0; x < d.width; ++x) {
    size_t bit = size_t(x) * bits;
    uint32_t index = (src[bit / 8] >> (8 - bits - bit % 8)) & valueMask;
    out[x] = PaletteColor(d.palette, index);
  }
}

void Row16(int32_t width, const std::vector<uint32_t>& lut, const uint8_t* src, uint32_t* out) {
  for (int32_t x = 0; x < width; ++x) out[x] = lut[src[2 * x] | (src[2 * x + 1] << 8)];
}

void Row24(int32_t width, const uint8_t* src, uint32_t* out) {
  for (int32_t x = 0; x < width; ++x, src += 3) out[x] = Rgb(src[2], src[1], src[0]);
}

void Row32(const DibLayout& d, const MaskSet& masks, bool withAlpha, const uint8_t* src, uint32_t* out) {
  const bool standard = d.masks[0] == 0xFF0000 && d.masks[1] == 0xFF00 && d.masks[2] == 0xFF &&
                        (!withAlpha || d.masks[3] == 0xFF000000u);
  const uint32_t keep = withAlpha ? 0xFFFFFFFFu : 0x00FFFFFFu;
  for (int32_t x = 0; x < d.width; ++x, src += 4) {
    uint32_t p = uint32_t(src[0]) | (uint32_t(src[1]) << 8) | (uint32_t(src[2]) << 16) |
                 (uint32_t(src[3]) << 24);
    out[x] = standard ? (p & keep) : masks.Color(p, withAlpha);
  }
}

std::vector<uint32_t> Lut16(const MaskSet& masks, bool withAlpha) {
  std::vector<uint32_t> lut(65536);
  for (uint32_t p = 0; p < lut.size(); ++p) lut[p] = masks.Color(p, withAlpha);
  return lut;
}

}  // namespace

std::optional<Image> DecodeDibPixels(const DibLayout& d, Bytes bytes, bool withAlpha) {
  const size_t stride = DibStride(d.width, d.bitCount);
  const size_t lastRow = (size_t(d.width) * d.bitCount + 7) / 8;
  // The last row's padding may be missing; any other shortfall is a failure.
  const size_t needed = stride * size_t(d.height - 1) + lastRow;
  if (!HasRange(bytes, d.pixelOffset, needed)) return std::nullopt;
  std::optional<Image> image = AllocateImage(d.width, d.height);
  if (!image) return std::nullopt;
  const MaskSet masks(d.masks);
  const std::vector<uint32_t> lut = d.bitCount == 16 ? Lut16(masks, withAlpha) : std::vector<uint32_t>();
  for (int32_t r = 0; r < d.height; ++r) {
    const uint8_t* src = bytes.data() + d.pixelOffset + size_t(r) * stride;
    uint32_t* out = image->row(d.topDown ? r : d.height - 1 - r);
    switch (d.bitCount) {
      case 16: Row16(d.width, lut, src, out); break;
      case 24: Row24(d.width, src, out); break;
      case 32: Row32(d, masks, withAlpha, src, out); break;
      default: IndexedRow(d, src, out); break;
    }
  }
  return image;
}

bool AnyAlpha(const Image& image) {
  for (uint32_t p : image.pixels) {
    if (p >> 24) return true;
  }
  return false;
}

uint32_t OverBlack(uint32_t argb) {
  const uint32_t a = argb >> 24;
  auto blend = [a](uint32_t c) { return uint8_t((c * a + 127) / 255); };
  return Rgb(blend((argb >> 16) & 0xFF), blend((argb >> 8) & 0xFF), blend(argb & 0xFF));
}

void ResolveAlpha(Image& image) {
  const bool blend = AnyAlpha(image);
  for (uint32_t& p : image.pixels) p = blend ? OverBlack(p) : (p & 0x00FFFFFFu);
}

}  // namespace codecs
