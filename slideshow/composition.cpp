#include "slideshow/composition.h"

#include <algorithm>
#include <cstring>

namespace slideshow {

void ClearBackBuffer(const PixelView& buffer) {
  if (buffer.width <= 0) return;
  for (int32_t y = 0; y < buffer.height; ++y)
    std::memset(buffer.row(y), 0, size_t(buffer.width) * sizeof(uint32_t));
}

void CopyPictureToBuffer(const PixelView& buffer, const codecs::Image& picture, Rect sourceRect,
                         Rect destRect) {
  // Work in 64 bits: rectangles far outside both bitmaps must not overflow
  // while they are clipped.
  const int64_t w = std::min<int64_t>(int64_t(sourceRect.right) - sourceRect.left,
                                      int64_t(destRect.right) - destRect.left);
  const int64_t h = std::min<int64_t>(int64_t(sourceRect.bottom) - sourceRect.top,
                                      int64_t(destRect.bottom) - destRect.top);
  // Offsets into the rectangles where both the source and the destination
  // pixel lie inside their bitmaps.
  const int64_t x0 = std::max<int64_t>({0, -int64_t(sourceRect.left), -int64_t(destRect.left)});
  const int64_t y0 = std::max<int64_t>({0, -int64_t(sourceRect.top), -int64_t(destRect.top)});
  const int64_t x1 = std::min<int64_t>({w, int64_t(picture.width) - sourceRect.left,
                                        int64_t(buffer.width) - destRect.left});
  const int64_t y1 = std::min<int64_t>({h, int64_t(picture.height) - sourceRect.top,
                                        int64_t(buffer.height) - destRect.top});
  if (x0 >= x1 || y0 >= y1) return;
  const size_t bytes = size_t(x1 - x0) * sizeof(uint32_t);
  for (int64_t dy = y0; dy < y1; ++dy) {
    const uint32_t* from = picture.row(int32_t(sourceRect.top + dy)) + (sourceRect.left + x0);
    std::memcpy(buffer.row(int32_t(destRect.top + dy)) + (destRect.left + x0), from, bytes);
  }
}

}  // namespace slideshow
