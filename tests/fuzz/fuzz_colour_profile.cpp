#include <cstddef>
#include <cstdint>

#include "codecs/colour_profile.h"
#include "fuzz_check.h"

// Any bytes as an embedded profile, and the first two as coded primaries and
// transfer: the conversion never fails, and pixels keep their top byte clear.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  codecs::Image image(16, 4);
  for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = uint32_t(i * 0x010305u) & 0xFFFFFFu;
  codecs::ConvertIccToSrgb(image, {data, size});
  codecs::fuzzing::CheckResult(image);
  if (size >= 2) codecs::ConvertCodedToSrgb(image, {data[0], data[1]});
  codecs::fuzzing::CheckResult(image);
  return 0;
}
