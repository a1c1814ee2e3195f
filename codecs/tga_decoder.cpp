// TGA pixels form one stream of width * height values, run-length packets
// included: the format lets a packet run on into the next row, so only a
// packet that overflows the whole picture is refused.
#include "codecs/tga_decoder.h"

#include <cstddef>
#include <vector>

#include "codecs/decode_limits.h"

namespace codecs {
namespace {

constexpr size_t kHeaderSize = 18;

enum class Kind { ColorMapped, TrueColor, Grey };

struct TgaHeader {
  Kind kind = Kind::TrueColor;
  bool rle = false;
  int32_t width = 0;
  int32_t height = 0;
  int depth = 0;
  bool topDown = false;
  bool rightToLeft = false;
  uint32_t mapFirst = 0;
  std::vector<uint32_t> palette;
  size_t pixelOffset = 0;
};

// 5-bit channels scale down-rounded, as the common TGA readers do.
uint8_t Scale5(uint32_t v) { return uint8_t(v * 255 / 31); }

// A colour of 15 to 32 bits, stored little-endian, blue first.
uint32_t DirectColor(const uint8_t* p, int depth) {
  if (depth <= 16) {
    uint32_t v = p[0] | (p[1] << 8);
    return Rgb(Scale5((v >> 10) & 31), Scale5((v >> 5) & 31), Scale5(v & 31));
  }
  return Rgb(p[2], p[1], p[0]);
}

bool ValidDirectDepth(int depth) { return depth == 15 || depth == 16 || depth == 24 || depth == 32; }

bool ReadKind(uint8_t type, TgaHeader& h) {
  h.rle = type >= 9;
  switch (type & 7) {
    case 1: h.kind = Kind::ColorMapped; return h.depth == 8 || h.depth == 16;
    case 2: h.kind = Kind::TrueColor; return ValidDirectDepth(h.depth);
    case 3: h.kind = Kind::Grey; return h.depth == 8;
    default: return false;
  }
}

// Reads (or, for pictures that do not use it, skips) the colour map.
bool ReadColorMap(Bytes bytes, size_t at, uint8_t mapType, TgaHeader& h) {
  if (mapType > 1 || (h.kind == Kind::ColorMapped && mapType != 1)) return false;
  h.pixelOffset = at;
  if (mapType == 0) return true;
  const uint32_t length = *ReadU16(bytes, 5);
  const int depth = *ReadU8(bytes, 7);
  if (!ValidDirectDepth(depth)) return false;
  const size_t entry = size_t(depth + 7) / 8;
  if (!HasRange(bytes, at, length * entry)) return false;
  h.pixelOffset = at + length * entry;
  if (h.kind != Kind::ColorMapped) return true;
  h.mapFirst = *ReadU16(bytes, 3);
  h.palette.resize(length);
  for (uint32_t i = 0; i < length; ++i) h.palette[i] = DirectColor(bytes.data() + at + i * entry, depth);
  return true;
}

std::optional<TgaHeader> ReadHeader(Bytes bytes) {
  if (bytes.size() < kHeaderSize) return std::nullopt;
  TgaHeader h;
  h.width = *ReadU16(bytes, 12);
  h.height = *ReadU16(bytes, 14);
  h.depth = bytes[16];
  const uint8_t descriptor = bytes[17];
  h.rightToLeft = descriptor & 0x10;
  h.topDown = descriptor & 0x20;
  if (!ReadKind(bytes[2], h) || !SizeAllowed(h.width, h.height)) return std::nullopt;
  if (!ReadColorMap(bytes, kHeaderSize + bytes[0], bytes[1], h)) return std::nullopt;
  return h;
}

// Places the stream's pixels in file order, honouring the origin corner.
class PixelSink {
 public:
  PixelSink(const TgaHeader& h, Image& image)
      : h_(h), image_(image), remaining_(size_t(h.width) * size_t(h.height)) {
    StartRow();
  }

  uint32_t Color(const uint8_t* p) const {
    switch (h_.kind) {
      case Kind::Grey: return Rgb(p[0], p[0], p[0]);
      case Kind::TrueColor: return DirectColor(p, h_.depth);
      case Kind::ColorMapped: {
        uint32_t index = h_.depth == 8 ? p[0] : uint32_t(p[0] | (p[1] << 8));
        index -= h_.mapFirst;  // wraps far past the map when below mapFirst
        return index < h_.palette.size() ? h_.palette[index] : 0;
      }
    }
    return 0;
  }
  size_t remaining() const { return remaining_; }
  void Put(uint32_t color) {
    *out_ = color;
    out_ += step_;
    --remaining_;
    if (++col_ == h_.width && remaining_ > 0) {
      ++row_;
      StartRow();
    }
  }

 private:
  void StartRow() {
    col_ = 0;
    uint32_t* row = image_.row(h_.topDown ? row_ : h_.height - 1 - row_);
    out_ = h_.rightToLeft ? row + h_.width - 1 : row;
    step_ = h_.rightToLeft ? -1 : 1;
  }

  const TgaHeader& h_;
  Image& image_;
  size_t remaining_;
  int32_t row_ = 0;
  int32_t col_ = 0;
  uint32_t* out_ = nullptr;
  ptrdiff_t step_ = 1;
};

bool DecodeRaw(ByteCursor& in, PixelSink& sink, size_t bpp) {
  const uint8_t* data = in.Take(sink.remaining() * bpp);
  if (!data) return false;
  while (sink.remaining() > 0) {
    sink.Put(sink.Color(data));
    data += bpp;
  }
  return true;
}

bool DecodeRle(ByteCursor& in, PixelSink& sink, size_t bpp) {
  while (sink.remaining() > 0) {
    if (!in.Has(1)) return false;
    const uint8_t packet = in.Next();
    const size_t count = size_t(packet & 0x7F) + 1;
    if (count > sink.remaining()) return false;
    const bool repeat = packet & 0x80;
    const uint8_t* data = in.Take(repeat ? bpp : count * bpp);
    if (!data) return false;
    for (size_t i = 0; i < count; ++i) sink.Put(sink.Color(repeat ? data : data + i * bpp));
  }
  return true;
}

}  // namespace

std::optional<PictureSize> TgaSize(Bytes bytes) {
  const std::optional<TgaHeader> h = ReadHeader(bytes);
  if (!h) return std::nullopt;
  return PictureSize{h->width, h->height};
}

std::optional<Image> DecodeTga(Bytes bytes) {
  if (bytes.size() > kMaxFileBytes) return std::nullopt;
  std::optional<TgaHeader> h = ReadHeader(bytes);
  if (!h) return std::nullopt;
  std::optional<Image> image = AllocateImage(h->width, h->height);
  if (!image) return std::nullopt;
  PixelSink sink(*h, *image);
  ByteCursor in(bytes, h->pixelOffset);
  const size_t bpp = size_t(h->depth + 7) / 8;
  const bool ok = h->rle ? DecodeRle(in, sink, bpp) : DecodeRaw(in, sink, bpp);
  if (!ok) return std::nullopt;
  return image;
}

}  // namespace codecs
