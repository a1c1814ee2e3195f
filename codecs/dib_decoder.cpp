#include "codecs/dib_decoder.h"

#include "codecs/decode_limits.h"
#include "codecs/dib_layout.h"

namespace codecs {
namespace {

constexpr size_t kFileHeaderSize = 14;

bool HasFileHeader(Bytes bytes) {
  return bytes.size() >= kFileHeaderSize && bytes[0] == 'B' && bytes[1] == 'M';
}

std::optional<Image> DecodeLayout(Bytes bytes, size_t headerOffset, std::optional<uint32_t> offBits) {
  if (bytes.size() > kMaxFileBytes) return std::nullopt;
  std::optional<DibLayout> layout = ParseDibLayout(bytes, headerOffset, offBits);
  if (!layout) return std::nullopt;
  if (layout->compression == kBiRle8 || layout->compression == kBiRle4) {
    return DecodeDibRle(*layout, bytes);
  }
  const bool withAlpha = HasAlphaMask(*layout);
  std::optional<Image> image = DecodeDibPixels(*layout, bytes, withAlpha);
  if (image && withAlpha) ResolveAlpha(*image);
  return image;
}

}  // namespace

// The file's size field is not checked: OS/2 writers store the header size
// there, and the pixel offset alone locates the data.
std::optional<Image> DecodeBmpFile(Bytes bytes) {
  if (!HasFileHeader(bytes)) return std::nullopt;
  return DecodeLayout(bytes, kFileHeaderSize, ReadU32(bytes, 10));
}

std::optional<Image> DecodeDib(Bytes bytes) {
  if (HasFileHeader(bytes)) return DecodeBmpFile(bytes);
  return DecodeLayout(bytes, 0, std::nullopt);
}

}  // namespace codecs
