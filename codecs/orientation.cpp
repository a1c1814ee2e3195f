#include "codecs/orientation.h"

#include <algorithm>

namespace codecs {
namespace {

// Where the stored pixel (x, y) goes: each orientation is a choice of
// transposing and of mirroring the result along either axis.
struct Mapping {
  bool transpose;
  bool mirrorX;
  bool mirrorY;
};

constexpr Mapping kMappings[9] = {
    {false, false, false},  // unused
    {false, false, false},  // 1 upright
    {false, true, false},   // 2 mirrored left to right
    {false, true, true},    // 3 turned half
    {false, false, true},   // 4 mirrored top to bottom
    {true, false, false},   // 5 transposed
    {true, true, false},    // 6 turned a quarter clockwise
    {true, true, true},     // 7 transversed
    {true, false, true},    // 8 turned a quarter anticlockwise
};

}  // namespace

Image Orient(Image image, int orientation) {
  if (orientation < 2 || orientation > 8 || image.empty()) return image;
  const Mapping m = kMappings[orientation];
  Image out(m.transpose ? image.height : image.width, m.transpose ? image.width : image.height);
  const int32_t lastX = out.width - 1;
  const int32_t lastY = out.height - 1;
  if (!m.transpose) {
    for (int32_t y = 0; y < image.height; ++y) {
      const uint32_t* src = image.row(y);
      uint32_t* dst = out.row(m.mirrorY ? lastY - y : y);
      if (m.mirrorX) {
        for (int32_t x = 0; x < image.width; ++x) dst[lastX - x] = src[x];
      } else {
        std::copy(src, src + image.width, dst);
      }
    }
    return out;
  }
  // Stored row y becomes column y of the result. Square tiles keep both the
  // reads and the scattered writes within the cache.
  constexpr int32_t kTile = 32;
  for (int32_t ty = 0; ty < image.height; ty += kTile) {
    const int32_t endY = std::min(image.height, ty + kTile);
    for (int32_t tx = 0; tx < image.width; tx += kTile) {
      const int32_t endX = std::min(image.width, tx + kTile);
      for (int32_t y = ty; y < endY; ++y) {
        const uint32_t* src = image.row(y);
        const int32_t column = m.mirrorX ? lastX - y : y;
        for (int32_t x = tx; x < endX; ++x) out.row(m.mirrorY ? lastY - x : x)[column] = src[x];
      }
    }
  }
  return out;
}

}  // namespace codecs
