#include "codecs/over_black.h"

namespace codecs {

void CompositeOverBlack(uint32_t* pixels, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const uint32_t p = pixels[i];
    const uint32_t a = p >> 24;
    if (a == 255) {
      pixels[i] = p & 0x00FFFFFFu;
      continue;
    }
    const uint32_t r = (((p >> 16) & 0xFF) * a + 127) / 255;
    const uint32_t g = (((p >> 8) & 0xFF) * a + 127) / 255;
    const uint32_t b = ((p & 0xFF) * a + 127) / 255;
    pixels[i] = (r << 16) | (g << 8) | b;
  }
}

}  // namespace codecs
