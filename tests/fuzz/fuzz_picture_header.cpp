#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "codecs/decode_limits.h"
#include "codecs/picture_header.h"

// Every header reader on every input: a header that reads gives a size the
// decoders could allocate.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (std::string_view extension : {"jpg", "png", "webp", "heic", "avif", "bmp", "gif", "tga", "ico"}) {
    const codecs::PictureHeader header = codecs::ReadPictureHeader(extension, {data, size});
    if (header.read && !codecs::SizeAllowed(header.size.width, header.size.height)) std::abort();
  }
  return 0;
}
