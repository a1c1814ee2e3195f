// The icon directory is not trusted: every entry's range, colour rows and mask
// included, is checked against the file before anything is decoded, and the
// size used is the one the entry's bitmap header states.
#include "codecs/ico_decoder.h"


#include "codecs/decode_limits.h"
#include "codecs/dib_layout.h"

namespace codecs {
namespace {

constexpr size_t kDirectoryHeader = 6;
constexpr size_t kEntrySize = 16;
constexpr uint16_t kIconType = 1;

struct Candidate {
  DibLayout layout;
  Bytes data;  // the entry's bytes alone
};

bool IsPng(Bytes data) {
  return data.size() >= 4 && data[0] == 0x89 && data[1] == 'P' && data[2] == 'N' && data[3] == 'G';
}

// The XOR bitmap's header states twice the icon's height: the AND mask is
// stacked on top of the colours.
std::optional<Candidate> ReadEntry(Bytes bytes, size_t index) {
  const size_t at = kDirectoryHeader + index * kEntrySize;
  const uint32_t size = ReadU32(bytes, at + 8).value_or(0);
  const uint32_t offset = ReadU32(bytes, at + 12).value_or(0);
  if (!HasRange(bytes, offset, size)) return std::nullopt;
  Bytes data = bytes.subspan(offset, size);
  if (IsPng(data)) return std::nullopt;
  std::optional<DibLayout> layout = ParseDibLayout(data, 0, std::nullopt);
  if (!layout || layout->topDown || layout->height % 2 != 0 || layout->compression != kBiRgb) {
    return std::nullopt;
  }
  layout->height /= 2;
  const size_t colorBytes = DibStride(layout->width, layout->bitCount) * size_t(layout->height);
  const size_t maskBytes = DibStride(layout->width, 1) * size_t(layout->height);
  if (!HasRange(data, layout->pixelOffset, colorBytes + maskBytes)) return std::nullopt;
  return Candidate{std::move(*layout), data};
}

bool Larger(const Candidate& a, const Candidate& b) {
  const int64_t areaA = int64_t(a.layout.width) * a.layout.height;
  const int64_t areaB = int64_t(b.layout.width) * b.layout.height;
  if (areaA != areaB) return areaA > areaB;
  return a.layout.bitCount > b.layout.bitCount;
}

// Applies the AND mask, which follows the colour rows, bottom-up, 1 bit a pixel.
void ApplyMask(const Candidate& c, Image& image) {
  const DibLayout& d = c.layout;
  const size_t stride = DibStride(d.width, 1);
  const size_t maskAt = d.pixelOffset + DibStride(d.width, d.bitCount) * size_t(d.height);
  for (int32_t r = 0; r < d.height; ++r) {
    const uint8_t* bits = c.data.data() + maskAt + size_t(r) * stride;
    uint32_t* out = image.row(d.height - 1 - r);
    for (int32_t x = 0; x < d.width; ++x) {
      out[x] = ((bits[x / 8] >> (7 - x % 8)) & 1) ? 0 : (out[x] & 0x00FFFFFFu);
    }
  }
}

std::optional<Image> Draw(const Candidate& c) {
  std::optional<Image> image = DecodeDibPixels(c.layout, c.data, true);
  if (!image) return std::nullopt;
  if (c.layout.bitCount == 32 && AnyAlpha(*image)) {
    ResolveAlpha(*image);
    return image;
  }
  ApplyMask(c, *image);
  return image;
}

// The entry the icon is shown by: the largest that reads.
std::optional<Candidate> LargestEntry(Bytes bytes) {
  if (bytes.size() > kMaxFileBytes) return std::nullopt;
  if (ReadU16(bytes, 0) != uint16_t(0) || ReadU16(bytes, 2) != kIconType) return std::nullopt;
  const uint16_t count = ReadU16(bytes, 4).value_or(0);
  if (!HasRange(bytes, kDirectoryHeader, size_t(count) * kEntrySize)) return std::nullopt;
  std::optional<Candidate> best;
  for (size_t i = 0; i < count; ++i) {
    std::optional<Candidate> c = ReadEntry(bytes, i);
    if (c && (!best || Larger(*c, *best))) best = std::move(c);
  }
  return best;
}

}  // namespace

std::optional<PictureSize> IcoSize(Bytes bytes) {
  const std::optional<Candidate> best = LargestEntry(bytes);
  if (!best) return std::nullopt;
  return PictureSize{best->layout.width, best->layout.height};
}

std::optional<Image> DecodeIco(Bytes bytes) {
  const std::optional<Candidate> best = LargestEntry(bytes);
  if (!best) return std::nullopt;
  return Draw(*best);
}

}  // namespace codecs
