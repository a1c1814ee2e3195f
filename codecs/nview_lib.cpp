#include "codecs/nview_lib.h"

#include <cstring>

#include "codecs/dib_decoder.h"
#include "codecs/gif_decoder.h"
#include "codecs/jpeg_decoder.h"
#include "codecs/pcx_decoder.h"
#include "codecs/tga_decoder.h"

namespace codecs {
namespace {

bool StartsWith(Bytes bytes, const char* magic) {
  const size_t n = std::strlen(magic);
  return bytes.size() >= n && std::memcmp(bytes.data(), magic, n) == 0;
}

bool LooksLikeDibHeader(Bytes bytes) {
  const uint32_t size = ReadU32(bytes, 0).value_or(0);
  return size == 12 || (size >= 16 && size <= 64) || size == 108 || size == 124;
}

}  // namespace

std::optional<Image> NViewLibLoad(Bytes bytes) {
  if (StartsWith(bytes, "GIF87a") || StartsWith(bytes, "GIF89a")) return DecodeGif(bytes);
  if (StartsWith(bytes, "\xFF\xD8\xFF")) return DecodeJpeg(bytes, JpegQuality::Saver);
  if (StartsWith(bytes, "BM") || LooksLikeDibHeader(bytes)) {
    if (std::optional<Image> image = DecodeDib(bytes)) return image;
  }
  // A TGA whose ID length is 10 can begin like a PCX file.
  if (StartsWith(bytes, "\x0A")) {
    if (std::optional<Image> image = DecodePcx(bytes)) return image;
  }
  return DecodeTga(bytes);
}

}  // namespace codecs
