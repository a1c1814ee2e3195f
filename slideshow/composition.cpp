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

RectPieces Subtract(Rect a, Rect b) {
  RectPieces out;
  if (a.empty()) return out;
  const Rect cut = Intersection(a, b);
  if (cut.empty()) {
    out.rects[out.count++] = a;
    return out;
  }
  const Rect pieces[4] = {{a.left, a.top, a.right, cut.top},
                          {a.left, cut.bottom, a.right, a.bottom},
                          {a.left, cut.top, cut.left, cut.bottom},
                          {cut.right, cut.top, a.right, cut.bottom}};
  for (const Rect& r : pieces)
    if (!r.empty()) out.rects[out.count++] = r;
  return out;
}

CopyPlan ClipCopyPlan(const CopyPlan& plan, Rect clip) {
  const Rect dest = Intersection(plan.dest, clip);
  if (dest.empty()) return {};
  return {dest, plan.sourceLeft + (dest.left - plan.dest.left),
          plan.sourceTop + (dest.top - plan.dest.top)};
}

void FrameComposer::ClearAll() {
  ClearBackBuffer(buffer_);
  composed_ = Frame{};
  composed_.pictureRevision = pictureRevision_;
  shown_ = composed_;
  composedPicture_ = nullptr;
  bandComposed_ = false;
  bufferWhole_ = true;
  dirty_.Clear();
  dirty_.Add(buffer_.bounds());
}

void FrameComposer::Compose(const codecs::Image& picture, Rect sourceRect, Rect destRect,
                            const TickerLine& ticker) {
  Frame next;
  next.picture = PlanPictureCopy(buffer_.size(), {picture.width, picture.height}, sourceRect, destRect);
  next.pictureRevision = pictureRevision_;
  next.band = Intersection(ticker.bounds, buffer_.bounds());
  next.tickerRevision = ticker.revision;
  if (bufferWhole_) {
    ComposeInBuffer(next.picture, picture, ticker);
    composed_ = next;
  } else {
    ComposeBand(picture, next, ticker);
  }
  composedPicture_ = &picture;
}

// Outside the last frame's picture and band the buffer is still black;
// inside them, whatever the new picture does not cover goes back to black.
void FrameComposer::ComposeInBuffer(const CopyPlan& plan, const codecs::Image& picture,
                                    const TickerLine& ticker) {
  const Rect pictureDrawn = composed_.picture.dest, tickerDrawn = composed_.band;
  ClearRectExcept(buffer_, pictureDrawn, plan.dest);
  ClearRectExcept(buffer_, tickerDrawn, plan.dest);
  dirty_.Add(pictureDrawn);
  dirty_.Add(tickerDrawn);
  CopyPlanned(buffer_, picture, plan);
  dirty_.Add(plan.dest);
  if (ticker.draw) ticker.draw();
  dirty_.Add(Intersection(ticker.bounds, buffer_.bounds()));
}

// The band is composed again only when something in it changed: the text,
// its place, or the picture under it.
void FrameComposer::ComposeBand(const codecs::Image& picture, const Frame& next,
                                const TickerLine& ticker) {
  const bool pictureInBandChanged =
      next.pictureRevision != composed_.pictureRevision ||
      ClipCopyPlan(next.picture, next.band) != ClipCopyPlan(composed_.picture, next.band);
  const bool bandChanged = next.band != composed_.band ||
                           next.tickerRevision != composed_.tickerRevision || pictureInBandChanged;
  composed_ = next;
  if (!bandChanged || next.band.empty()) return;
  ClearRectExcept(buffer_, next.band, {});
  CopyPlanned(buffer_, picture, ClipCopyPlan(next.picture, next.band));
  if (ticker.draw) ticker.draw();
  bandComposed_ = true;
}

void FrameComposer::PictureChanging() {
  if (pictureToWindow_) CompleteBuffer();
  composedPicture_ = nullptr;
  ++pictureRevision_;
}

void FrameComposer::CompleteBuffer() {
  if (bufferWhole_) return;
  const Frame& c = composed_;
  for (const Rect& r : Subtract(buffer_.bounds(), c.band)) ClearRectExcept(buffer_, r, {});
  if (composedPicture_ != nullptr) {
    for (const Rect& r : Subtract(c.picture.dest, c.band))
      CopyPlanned(buffer_, *composedPicture_, ClipCopyPlan(c.picture, r));
  }
  bufferWhole_ = true;
  if (!FrameNotShown()) return;
  for (const Rect& r : {shown_.picture.dest, shown_.band, c.picture.dest, c.band}) dirty_.Add(r);
}

void FrameComposer::WindowShowsBuffer() {
  dirty_.Clear();
  shown_ = composed_;
  bandComposed_ = false;
  // A frame of a picture that is gone can only be composed further in the
  // buffer: the picture's next frame starts from there.
  bufferWhole_ = !pictureToWindow_ || composed_.pictureRevision != pictureRevision_;
}

bool FrameComposer::FrameNotShown() const {
  return bandComposed_ || !composed_.SamePicture(shown_) || composed_.band != shown_.band;
}

bool FrameComposer::HasUpdate() const { return bufferWhole_ ? !dirty_.empty() : FrameNotShown(); }

WindowUpdate FrameComposer::TakeUpdate() {
  WindowUpdate update;
  if (bufferWhole_) {
    update.fromBuffer = dirty_.Rects();
    WindowShowsBuffer();
    return update;
  }
  const Frame& c = composed_;
  const Frame& s = shown_;
  if (bandComposed_ && !c.band.empty()) update.fromBuffer.push_back(c.band);
  // The picture where it moved to, or where the band left it uncovered.
  const Rect pictureArea = c.SamePicture(s) ? Intersection(s.band, c.picture.dest) : c.picture.dest;
  for (const Rect& r : Subtract(pictureArea, c.band)) {
    const CopyPlan part = ClipCopyPlan(c.picture, r);
    if (!part.dest.empty()) update.fromPicture.push_back(part);
  }
  if (!update.fromPicture.empty()) update.picture = composedPicture_;
  // Black where the picture or the band was and no longer is.
  for (const Rect& old : {s.picture.dest, s.band}) {
    for (const Rect& outside : Subtract(old, c.picture.dest))
      for (const Rect& r : Subtract(outside, c.band)) update.black.push_back(r);
  }
  shown_ = composed_;
  bandComposed_ = false;
  return update;
}

}  // namespace slideshow
