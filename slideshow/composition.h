#pragma once
// Composition of one frame in the back buffer. The buffer is memory the host
// owns (the pixels of a 32-bit top-down DIB section in the saver, a vector in
// tests); the show only writes through this view. All drawing of the picture
// into the buffer happens here, so it can be optimised in one place.
#include <cstddef>
#include <cstdint>

#include "codecs/image.h"
#include "slideshow/rect.h"

namespace slideshow {

struct PixelView {
  uint32_t* pixels = nullptr;  // 0x00RRGGBB, top row first
  int32_t width = 0;
  int32_t height = 0;
  ptrdiff_t stride = 0;  // pixels from one row to the next

  uint32_t* row(int32_t y) const { return pixels + ptrdiff_t(y) * stride; }
  Size size() const { return {width, height}; }
};

// Opaque black over the whole buffer.
void ClearBackBuffer(const PixelView& buffer);

// Copies `sourceRect` of the picture one to one into `destRect` of the buffer
// (both the same size). Whatever part of either rectangle lies outside its
// bitmap is not drawn: nothing is ever read or written outside.
void CopyPictureToBuffer(const PixelView& buffer, const codecs::Image& picture, Rect sourceRect,
                         Rect destRect);

}  // namespace slideshow
