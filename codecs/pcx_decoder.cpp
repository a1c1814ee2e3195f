// PCX scan lines are one byte stream, each line holding every plane in turn,
// each plane padded to bytesPerLine. Runs may run on from one line into the
// next (old writers do it), so only a run that overflows the whole picture is
// refused. The stream must supply every line: a truncated file fails.
#include "codecs/pcx_decoder.h"

#include <algorithm>
#include <array>
#include <vector>

#include "codecs/decode_limits.h"

namespace codecs {
namespace {

constexpr size_t kHeaderSize = 128;
constexpr size_t kHeaderPaletteOffset = 16;  // up to 16 RGB triples
constexpr size_t kTailPaletteSize = 769;     // the mark and 256 RGB triples
constexpr uint8_t kTailPaletteMark = 0x0C;
constexpr uint8_t kVersionWithoutPalette = 3;

constexpr std::array<uint32_t, 16> kEgaPalette = {
    0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA, 0xAA5500, 0xAAAAAA,
    0x555555, 0x5555FF, 0x55FF55, 0x55FFFF, 0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF};

struct PcxHeader {
  uint8_t version = 0;
  bool rle = true;
  int bits = 0;
  int planes = 0;
  int32_t width = 0;
  int32_t height = 0;
  size_t bytesPerLine = 0;
};

std::optional<PcxHeader> ReadHeader(Bytes bytes) {
  if (bytes.size() < kHeaderSize || bytes[0] != 0x0A || bytes[1] > 5 || bytes[2] > 1) {
    return std::nullopt;
  }
  PcxHeader h;
  h.version = bytes[1];
  h.rle = bytes[2] == 1;
  h.bits = bytes[3];
  h.planes = bytes[65];
  const int64_t xmin = ReadU16(bytes, 4).value_or(0), ymin = ReadU16(bytes, 6).value_or(0);
  const int64_t xmax = ReadU16(bytes, 8).value_or(0), ymax = ReadU16(bytes, 10).value_or(0);
  h.bytesPerLine = ReadU16(bytes, 66).value_or(0);
  const bool packed = h.planes == 1 && (h.bits == 1 || h.bits == 2 || h.bits == 4 || h.bits == 8);
  const bool planar = (h.bits == 1 && h.planes >= 2 && h.planes <= 4) ||
                      (h.bits == 8 && (h.planes == 3 || h.planes == 4));
  if (!(packed || planar) || !SizeAllowed(xmax - xmin + 1, ymax - ymin + 1)) return std::nullopt;
  h.width = int32_t(xmax - xmin + 1);
  h.height = int32_t(ymax - ymin + 1);
  if (h.bytesPerLine < (size_t(h.width) * h.bits + 7) / 8) return std::nullopt;
  return h;
}

// Palette of up to 16 colours from the header. Version 3 files carry none and
// get the standard EGA colours. Monochrome is black and white: writers leave
// its header palette unset as often as not.
std::vector<uint32_t> RgbPalette(Bytes triples) {
  std::vector<uint32_t> palette(triples.size() / 3);
  for (size_t i = 0; i < palette.size(); ++i)
    palette[i] = Rgb(triples[3 * i], triples[3 * i + 1], triples[3 * i + 2]);
  return palette;
}

std::vector<uint32_t> HeaderPalette(Bytes bytes, const PcxHeader& h) {
  const size_t colors = size_t(1) << (h.bits * h.planes);
  if (colors == 2) return {0x000000, 0xFFFFFF};
  if (h.version == kVersionWithoutPalette) return {kEgaPalette.begin(), kEgaPalette.begin() + colors};
  return RgbPalette(ReadBytes(bytes, kHeaderPaletteOffset, 3 * colors).value_or(Bytes()));
}

std::optional<std::vector<uint32_t>> TailPalette(Bytes bytes) {
  if (bytes.size() < kHeaderSize + kTailPaletteSize) return std::nullopt;
  const Bytes tail = bytes.last(kTailPaletteSize);
  if (tail[0] != kTailPaletteMark) return std::nullopt;
  return RgbPalette(tail.subspan(1));
}

class LineReader {
 public:
  LineReader(Bytes data, bool rle) : in_(data), rle_(rle) {}

  bool Fill(uint8_t* out, size_t n) {
    if (!rle_) {
      const uint8_t* p = in_.Take(n);
      if (!p) return false;
      std::copy(p, p + n, out);
      return true;
    }
    for (size_t i = 0; i < n;) {
      if (pending_ == 0 && !NextPacket()) return false;
      const size_t take = std::min(pending_, n - i);
      std::fill(out + i, out + i + take, value_);
      pending_ -= take;
      i += take;
    }
    return true;
  }

  // A run still pending after the last line overflows the picture.
  bool Drained() const { return pending_ == 0; }

 private:
  bool NextPacket() {
    const std::optional<uint8_t> b = in_.Read();
    if (!b) return false;
    if (*b < 0xC0) {
      value_ = *b;
      pending_ = 1;
      return true;
    }
    const std::optional<uint8_t> value = in_.Read();
    if (!value) return false;
    value_ = *value;
    pending_ = *b & 0x3F;
    return true;
  }

  ByteCursor in_;
  bool rle_;
  size_t pending_ = 0;
  uint8_t value_ = 0;
};

void IndexedLine(const PcxHeader& h, const uint8_t* line, const std::vector<uint32_t>& palette,
                 uint32_t* out) {
  for (int32_t x = 0; x < h.width; ++x) {
    uint32_t index = 0;
    if (h.planes == 1) {
      const size_t bit = size_t(x) * h.bits;
      index = (line[bit / 8] >> (8 - h.bits - bit % 8)) & ((1u << h.bits) - 1);
    } else {
      for (int p = 0; p < h.planes; ++p) {
        index |= ((line[p * h.bytesPerLine + x / 8] >> (7 - x % 8)) & 1u) << p;
      }
    }
    out[x] = index < palette.size() ? palette[index] : 0;
  }
}

void RgbLine(const PcxHeader& h, const uint8_t* line, uint32_t* out) {
  const uint8_t* r = line;
  const uint8_t* g = line + h.bytesPerLine;
  const uint8_t* b = line + 2 * h.bytesPerLine;
  for (int32_t x = 0; x < h.width; ++x) out[x] = Rgb(r[x], g[x], b[x]);
}

}  // namespace

std::optional<PictureSize> PcxSize(Bytes bytes) {
  const std::optional<PcxHeader> h = ReadHeader(bytes);
  if (!h) return std::nullopt;
  return PictureSize{h->width, h->height};
}

std::optional<Image> DecodePcx(Bytes bytes) {
  if (bytes.size() > kMaxFileBytes) return std::nullopt;
  std::optional<PcxHeader> h = ReadHeader(bytes);
  if (!h) return std::nullopt;
  const bool rgb = h->bits == 8 && h->planes >= 3;
  size_t dataEnd = bytes.size();
  std::vector<uint32_t> palette;
  if (h->bits == 8 && h->planes == 1) {
    std::optional<std::vector<uint32_t>> tail = TailPalette(bytes);
    if (!tail) return std::nullopt;
    palette = std::move(*tail);
    dataEnd -= kTailPaletteSize;
  } else if (!rgb) {
    palette = HeaderPalette(bytes, *h);
  }
  std::optional<Image> image = AllocateImage(h->width, h->height);
  if (!image) return std::nullopt;
  LineReader reader(bytes.subspan(kHeaderSize, dataEnd - kHeaderSize), h->rle);
  std::vector<uint8_t> line(h->bytesPerLine * size_t(h->planes));
  for (int32_t y = 0; y < h->height; ++y) {
    if (!reader.Fill(line.data(), line.size())) return std::nullopt;
    if (rgb) {
      RgbLine(*h, line.data(), image->row(y));
    } else {
      IndexedLine(*h, line.data(), palette, image->row(y));
    }
  }
  if (!reader.Drained()) return std::nullopt;
  return image;
}

}  // namespace codecs
