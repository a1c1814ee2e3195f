#include "slideshow/composition.h"

#include <algorithm>
#include <cstring>

namespace slideshow {
namespace {

void ClearSpan(const PixelView& buffer, int32_t y, int32_t left, int32_t right) {
  if (left < right) std::memset(buffer.row(y) + left, 0, size_t(right - left) * sizeof(uint32_t));
}

void CopyPlanned(const PixelView& buffer, const codecs::Image& picture, const CopyPlan& plan) {
  if (plan.dest.empty()) return;
  const size_t bytes = size_t(plan.dest.width()) * sizeof(uint32_t);
  for (int32_t dy = 0; dy < plan.dest.height(); ++dy) {
    const uint32_t* from = picture.row(plan.sourceTop + dy) + plan.sourceLeft;
    std::memcpy(buffer.row(plan.dest.top + dy) + plan.dest.left, from, bytes);
  }
}

}  // namespace

void ClearBackBuffer(const PixelView& buffer) {
  if (buffer.width <= 0) return;
  for (int32_t y = 0; y < buffer.height; ++y) ClearSpan(buffer, y, 0, buffer.width);
}

void ClearRectExcept(const PixelView& buffer, Rect r, Rect keep) {
  r = Intersection(r, buffer.bounds());
  keep = Intersection(keep, r);
  for (int32_t y = r.top; y < r.bottom; ++y) {
    if (keep.empty() || y < keep.top || y >= keep.bottom) {
      ClearSpan(buffer, y, r.left, r.right);
    } else {
      ClearSpan(buffer, y, r.left, keep.left);
      ClearSpan(buffer, y, keep.right, r.right);
    }
  }
}

CopyPlan PlanPictureCopy(Size buffer, Size picture, Rect sourceRect, Rect destRect) {
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
  if (x0 >= x1 || y0 >= y1) return {};
  return {{int32_t(destRect.left + x0), int32_t(destRect.top + y0), int32_t(destRect.left + x1),
           int32_t(destRect.top + y1)},
          int32_t(sourceRect.left + x0),
          int32_t(sourceRect.top + y0)};
}

void CopyPictureToBuffer(const PixelView& buffer, const codecs::Image& picture, Rect sourceRect,
                         Rect destRect) {
  CopyPlanned(buffer, picture,
              PlanPictureCopy(buffer.size(), {picture.width, picture.height}, sourceRect, destRect));
}

void FrameComposer::ClearAll() {
  ClearBackBuffer(buffer_);
  pictureDrawn_ = tickerDrawn_ = Rect{};
  dirty_.Add(buffer_.bounds());
}

void FrameComposer::Compose(const codecs::Image& picture, Rect sourceRect, Rect destRect,
                            const TickerDrawer& drawTicker) {
  const CopyPlan plan =
      PlanPictureCopy(buffer_.size(), {picture.width, picture.height}, sourceRect, destRect);
  // Outside the last frame's picture and ticker the buffer is still black;
  // inside them, whatever the new picture does not cover goes back to black.
  ClearRectExcept(buffer_, pictureDrawn_, plan.dest);
  ClearRectExcept(buffer_, tickerDrawn_, plan.dest);
  dirty_.Add(pictureDrawn_);
  dirty_.Add(tickerDrawn_);
  CopyPlanned(buffer_, picture, plan);
  pictureDrawn_ = plan.dest;
  dirty_.Add(pictureDrawn_);
  tickerDrawn_ = Intersection(drawTicker(), buffer_.bounds());
  dirty_.Add(tickerDrawn_);
}

}  // namespace slideshow
