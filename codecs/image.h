#pragma once
// The one picture type of the program: 32-bit pixels, rows top-down, each pixel
// 0x00RRGGBB, which is the memory layout of a 32-bit top-down DIB section
// (bytes B, G, R, 0), so an Image row copies straight into a GDI bitmap.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "codecs/photo_date.h"

namespace codecs {

struct Image {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;  // width * height, row-major, top row first
  std::optional<PhotoDate> taken;  // the day a photo was taken, when its file says

  Image() = default;
  Image(int32_t w, int32_t h) : width(w), height(h), pixels(size_t(w) * size_t(h)) {}
  bool empty() const { return width <= 0 || height <= 0; }
  uint32_t* row(int32_t y) { return pixels.data() + size_t(y) * size_t(width); }
  const uint32_t* row(int32_t y) const { return pixels.data() + size_t(y) * size_t(width); }
};

constexpr uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
}

}  // namespace codecs
