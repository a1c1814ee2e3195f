#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "picker/thumbnail_picture.h"

// The preview's road: the first byte names the file's extension among those
// of our own decoders, the rest is the file, asked for at the size of the
// preview's box.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr std::array<const char*, 12> kExtensions = {"jpg", "png", "webp", "avif", "heic", "gif",
                                                       "bmp", "ico", "tga", "pcx", "rle", "jif"};
  if (size == 0) return 0;
  const std::string path = std::string("picture.") + kExtensions[data[0] % kExtensions.size()];
  const auto read = [&](const std::string&) { return std::optional(std::vector<uint8_t>(data + 1, data + size)); };
  const auto box = [](codecs::PictureSize) { return codecs::PictureSize{168, 168}; };
  codecs::fuzzing::CheckResult(picker::DecodeThumbnailPicture(path, read, box));
  return 0;
}
