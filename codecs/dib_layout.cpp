#include "codecs/dib_layout.h"

#include <algorithm>
#include <bit>

#include "codecs/decode_limits.h"

namespace codecs {
namespace {

constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kBiAlphaBitfields = 6;
constexpr uint32_t kOs2Huffman = 3;  // what 3 means in an OS/2 2.x header
constexpr uint32_t kOs2Rle24 = 4;

struct RawHeader {
  uint32_t size = 0;
  int64_t width = 0;
  int64_t height = 0;
  uint16_t planes = 0;
  uint16_t bitCount = 0;
  uint32_t compression = 0;
  uint32_t colorsUsed = 0;
  uint32_t masks[4] = {};
  bool core = false;
  bool os2v2 = false;
};

bool KnownHeaderSize(uint32_t size) {
  return size == kCoreHeaderSize || (size >= 16 && size <= 64) || size == 108 || size == 124;
}

// A field past the end of a shortened OS/2 2.x header reads as 0.
uint32_t Field(Bytes bytes, size_t header, uint32_t size, uint32_t offset) {
  return offset + 4 <= size ? ReadU32(bytes, header + offset).value_or(0) : 0;
}

std::optional<RawHeader> ReadRawHeader(Bytes bytes, size_t at) {
  RawHeader h;
  h.size = ReadU32(bytes, at).value_or(0);
  if (!KnownHeaderSize(h.size) || !HasRange(bytes, at, h.size)) return std::nullopt;
  if (h.size == kCoreHeaderSize) {
    h.core = true;
    h.width = *ReadU16(bytes, at + 4);
    h.height = *ReadU16(bytes, at + 6);
    h.planes = *ReadU16(bytes, at + 8);
    h.bitCount = *ReadU16(bytes, at + 10);
    return h;
  }
  h.os2v2 = h.size != kInfoHeaderSize && h.size != 52 && h.size != 56 && h.size <= 64;
  h.width = int32_t(*ReadU32(bytes, at + 4));
  h.height = int32_t(*ReadU32(bytes, at + 8));
  h.planes = *ReadU16(bytes, at + 12);
  h.bitCount = *ReadU16(bytes, at + 14);
  h.compression = Field(bytes, at, h.size, 16);
  h.colorsUsed = Field(bytes, at, h.size, 32);
  for (uint32_t i = 0; i < 4; ++i) h.masks[i] = Field(bytes, at, h.size, 40 + 4 * i);
  return h;
}

bool ValidBitCount(uint16_t bits) {
  return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool ValidMask(uint32_t mask, uint16_t bitCount) {
  if (bitCount == 16 && mask > 0xFFFFu) return false;
  if (mask == 0) return true;
  uint32_t shifted = mask >> std::countr_zero(mask);
  return (shifted & (shifted + 1)) == 0;  // one contiguous run of bits
}

void DefaultMasks(DibLayout& d) {
  if (d.bitCount == 16) {
    d.masks[0] = 0x7C00;
    d.masks[1] = 0x03E0;
    d.masks[2] = 0x001F;
  } else if (d.bitCount == 32) {
    d.masks[0] = 0x00FF0000;
    d.masks[1] = 0x0000FF00;
    d.masks[2] = 0x000000FF;
    d.masks[3] = 0xFF000000;
  }
}

// Checks compression against bit count and fills the masks; returns how many
// mask bytes follow the header (BITFIELDS with a 40-byte header).
std::optional<uint32_t> SetCompression(const RawHeader& h, Bytes bytes, size_t at, DibLayout& d) {
  uint32_t c = h.compression;
  if (h.os2v2 && (c == kOs2Huffman || c == kOs2Rle24)) return std::nullopt;
  if (c == kBiRgb) {
    DefaultMasks(d);
    return 0u;
  }
  if (c == kBiRle8 || c == kBiRle4) {
    bool fits = (c == kBiRle8 && d.bitCount == 8) || (c == kBiRle4 && d.bitCount == 4);
    if (!fits || d.topDown) return std::nullopt;
    d.compression = c;
    return 0u;
  }
  if (c != kBiBitfields && c != kBiAlphaBitfields) return std::nullopt;
  if (d.bitCount != 16 && d.bitCount != 32) return std::nullopt;
  uint32_t count = c == kBiAlphaBitfields ? 4 : 3;
  uint32_t inHeader = h.size >= 40 + 4 * count ? count : 0;
  for (uint32_t i = 0; i < count; ++i) {
    std::optional<uint32_t> m =
        inHeader ? std::optional<uint32_t>(h.masks[i]) : ReadU32(bytes, at + h.size + 4 * i);
    if (!m || !ValidMask(*m, d.bitCount)) return std::nullopt;
    d.masks[i] = *m;
  }
  // A V4 or V5 header names an alpha mask even for plain BI_BITFIELDS.
  if (count == 3 && h.size >= 56) {
    if (!ValidMask(h.masks[3], d.bitCount)) return std::nullopt;
    d.masks[3] = h.masks[3];
  }
  d.compression = kBiBitfields;
  return inHeader ? 0u : 4 * count;
}

uint32_t ImpliedColors(uint16_t bitCount) { return bitCount <= 8 ? 1u << bitCount : 0u; }

// Reads the palette and sets the pixel offset. With a file header the palette
// ends where the pixels start; a count the header states outright must fit,
// an implied full palette may be shorter (old OS/2 writers save only the
// colours they use).
bool ReadPalette(const RawHeader& h, Bytes bytes, size_t start, std::optional<uint32_t> offBits,
                 DibLayout& d) {
  const size_t entry = h.core ? 3 : 4;
  const bool stated = !h.core && h.colorsUsed != 0;
  uint64_t count = stated ? h.colorsUsed : ImpliedColors(d.bitCount);
  if (offBits) {
    if (*offBits < start || *offBits > bytes.size()) return false;
    uint64_t room = (*offBits - start) / entry;
    if (count > room) {
      if (stated) return false;
      count = room;
    }
    d.pixelOffset = *offBits;
  } else {
    if (count * entry > bytes.size() - start) return false;
    d.pixelOffset = start + size_t(count * entry);
  }
  uint64_t used = std::min<uint64_t>(count, ImpliedColors(d.bitCount));
  d.palette.resize(size_t(used));
  for (size_t i = 0; i < used; ++i) {
    const uint8_t* p = bytes.data() + start + i * entry;
    d.palette[i] = Rgb(p[2], p[1], p[0]);
  }
  return true;
}

}  // namespace

bool HasAlphaMask(const DibLayout& layout) {
  return layout.compression == kBiBitfields && layout.masks[3] != 0;
}

size_t DibStride(int32_t width, uint16_t bitCount) {
  return size_t((uint64_t(width) * bitCount + 31) / 32 * 4);
}

std::optional<DibLayout> ParseDibLayout(Bytes bytes, size_t headerOffset,
                                        std::optional<uint32_t> fileOffBits) {
  std::optional<RawHeader> h = ReadRawHeader(bytes, headerOffset);
  if (!h || h->planes != 1 || !ValidBitCount(h->bitCount)) return std::nullopt;
  DibLayout d;
  d.bitCount = h->bitCount;
  d.topDown = h->height < 0;
  int64_t height = d.topDown ? -h->height : h->height;
  if (!SizeAllowed(h->width, height)) return std::nullopt;
  d.width = int32_t(h->width);
  d.height = int32_t(height);
  std::optional<uint32_t> maskBytes = SetCompression(*h, bytes, headerOffset, d);
  if (!maskBytes) return std::nullopt;
  size_t paletteStart = headerOffset + h->size + *maskBytes;
  if (paletteStart > bytes.size()) return std::nullopt;
  if (!ReadPalette(*h, bytes, paletteStart, fileOffBits, d)) return std::nullopt;
  return d;
}

}  // namespace codecs
