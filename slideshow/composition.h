#pragma once
// Composition of one frame in the back buffer. The buffer is memory the host
// owns (the pixels of a 32-bit top-down DIB section in the saver, a vector in
// tests); the show only writes through this view. All drawing of the picture
// into the buffer happens here, so it can be optimised in one place.
#include <cstddef>
#include <cstdint>
#include <functional>

#include "codecs/image.h"
#include "slideshow/dirty_region.h"
#include "slideshow/rect.h"

namespace slideshow {

struct PixelView {
  uint32_t* pixels = nullptr;  // 0x00RRGGBB, top row first
  int32_t width = 0;
  int32_t height = 0;
  ptrdiff_t stride = 0;  // pixels from one row to the next

  uint32_t* row(int32_t y) const { return pixels + ptrdiff_t(y) * stride; }
  Size size() const { return {width, height}; }
  Rect bounds() const { return {0, 0, width, height}; }
};

// Opaque black over the whole buffer.
void ClearBackBuffer(const PixelView& buffer);

// Opaque black over the part of `r` inside the buffer that lies outside `keep`.
void ClearRectExcept(const PixelView& buffer, Rect r, Rect keep);

// Where a copy of `sourceRect` into `destRect` (both the same size) really
// writes: the destination rectangle clipped to the buffer and to the part of
// the source inside the picture, and where in the picture it reads from.
struct CopyPlan {
  Rect dest;
  int32_t sourceLeft = 0, sourceTop = 0;
};
CopyPlan PlanPictureCopy(Size buffer, Size picture, Rect sourceRect, Rect destRect);

// Copies `sourceRect` of the picture one to one into `destRect` of the buffer
// (both the same size). Whatever part of either rectangle lies outside its
// bitmap is not drawn: nothing is ever read or written outside.
void CopyPictureToBuffer(const PixelView& buffer, const codecs::Image& picture, Rect sourceRect,
                         Rect destRect);

// Composes frames by redrawing only what changed. Every frame is black with
// the picture copied in and the ticker drawn over it; between frames only
// the picture's place and the ticker's line differ, so the composer clears
// what the last frame drew where the new picture will not cover it, copies
// the picture and draws the ticker. The result is the same, pixel for pixel,
// as clearing the whole buffer first, provided nothing else writes into the
// buffer and the ticker drawer reports every pixel it may have touched.
class FrameComposer {
 public:
  // Draws the ticker over the buffer and returns a rectangle holding every
  // pixel it may have touched; too large is harmless, too small leaves trails.
  using TickerDrawer = std::function<Rect()>;

  explicit FrameComposer(PixelView buffer) : buffer_(buffer) {}

  // Fills the whole buffer black and counts all of it as changed.
  void ClearAll();
  void Compose(const codecs::Image& picture, Rect sourceRect, Rect destRect,
               const TickerDrawer& drawTicker);

  // What changed since the window was last given the buffer; the presenter
  // clears it once it has put those parts on the window.
  DirtyRegion& Dirty() { return dirty_; }
  const DirtyRegion& Dirty() const { return dirty_; }
  const PixelView& Buffer() const { return buffer_; }

 private:
  PixelView buffer_;
  Rect pictureDrawn_;
  Rect tickerDrawn_;
  DirtyRegion dirty_;
};

}  // namespace slideshow
