#include "slideshow/composition.h"

#include <algorithm>
#include <cstring>
#include <optional>

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

namespace {

template <size_t N>
bool AnyOf(const std::array<bool, N>& flags) {
  return std::find(flags.begin(), flags.end(), true) != flags.end();
}

// The parts of `r` outside every one of `holes`.
template <size_t N>
std::vector<Rect> SubtractAll(Rect r, const std::array<Rect, N>& holes) {
  std::vector<Rect> parts{r}, next;
  for (const Rect& hole : holes) {
    next.clear();
    for (const Rect& part : parts)
      for (const Rect& piece : Subtract(part, hole)) next.push_back(piece);
    parts.swap(next);
  }
  return parts;
}

}  // namespace

void FrameComposer::ClearAll() {
  ClearBackBuffer(buffer_);
  composed_ = Frame{};
  composed_.pictureRevision = pictureRevision_;
  shown_ = composed_;
  composedPicture_ = nullptr;
  bandComposed_ = {};
  bufferWhole_ = true;
  dirty_.Clear();
  dirty_.Add(buffer_.bounds());
}

void FrameComposer::Compose(const FrameLayers& frame) {
  const std::optional<PlainFrame> plain = AsPlainFrame(frame);
  if (!plain) return ComposeWhole(frame);
  static const TextLayer kNone;
  Compose(*plain->picture, plain->sourceRect, plain->destRect, plain->ticker ? *plain->ticker : kNone,
          plain->caption ? *plain->caption : kNone);
}

// The buffer holds the whole frame and the window takes all of it. The frame
// counts as a picture over the whole buffer that no later frame shares, so
// the next frame of the faster ways starts from black everywhere it does not
// draw, and goes to the window whole from the buffer once more.
void FrameComposer::ComposeWhole(const FrameLayers& frame) {
  ComposeLayers(buffer_, frame);
  composed_ = Frame{};
  composed_.picture.dest = buffer_.bounds();
  composed_.pictureRevision = kWholeFrameRevision;
  composedPicture_ = nullptr;
  bandComposed_ = {};
  bufferWhole_ = true;
  dirty_.Clear();
  dirty_.Add(buffer_.bounds());
}

void FrameComposer::Compose(const codecs::Image& picture, Rect sourceRect, Rect destRect,
                            const TextLayer& ticker, const TextLayer& caption) {
  const Lines lines{&caption, &ticker};
  Frame next;
  next.picture = PlanPictureCopy(buffer_.size(), {picture.width, picture.height}, sourceRect, destRect);
  next.pictureRevision = pictureRevision_;
  for (size_t i = 0; i < kLines; ++i) {
    next.bands[i] = Intersection(lines[i]->bounds, buffer_.bounds());
    next.lineRevisions[i] = lines[i]->revision;
  }
  if (bufferWhole_) {
    ComposeInBuffer(next.picture, picture, lines);
    composed_ = next;
  } else {
    ComposeBands(picture, next, lines);
  }
  composedPicture_ = &picture;
}

// Outside the last frame's picture and bands the buffer is still black;
// inside them, whatever the new picture does not cover goes back to black.
void FrameComposer::ComposeInBuffer(const CopyPlan& plan, const codecs::Image& picture,
                                    const Lines& lines) {
  ClearRectExcept(buffer_, composed_.picture.dest, plan.dest);
  dirty_.Add(composed_.picture.dest);
  for (const Rect& drawn : composed_.bands) {
    ClearRectExcept(buffer_, drawn, plan.dest);
    dirty_.Add(drawn);
  }
  CopyPlanned(buffer_, picture, plan);
  dirty_.Add(plan.dest);
  for (const TextLayer* line : lines) {
    if (line->draw) line->draw();
    dirty_.Add(Intersection(line->bounds, buffer_.bounds()));
  }
}

// A band is composed again when something in it changed: its text, its
// place, or the picture under it; and so is every band that overlaps one
// composed again, or the place a changed one left, since the buffer holds
// their texts together there.
std::array<bool, FrameComposer::kLines> FrameComposer::BandsToCompose(const Frame& next) const {
  std::array<bool, kLines> changed{}, compose{};
  for (size_t i = 0; i < kLines; ++i) {
    const Rect band = next.bands[i];
    const bool pictureInBandChanged =
        next.pictureRevision != composed_.pictureRevision ||
        ClipCopyPlan(next.picture, band) != ClipCopyPlan(composed_.picture, band);
    changed[i] = band != composed_.bands[i] || next.lineRevisions[i] != composed_.lineRevisions[i] ||
                 pictureInBandChanged;
    compose[i] = changed[i] && !band.empty();
  }
  for (bool grew = true; grew;) {
    grew = false;
    for (size_t i = 0; i < kLines; ++i) {
      for (size_t j = 0; j < kLines && !compose[i] && !next.bands[i].empty(); ++j) {
        const bool touches = (compose[j] && !Intersection(next.bands[i], next.bands[j]).empty()) ||
                             (changed[j] && !Intersection(next.bands[i], composed_.bands[j]).empty());
        if (i != j && touches) compose[i] = grew = true;
      }
    }
  }
  return compose;
}

void FrameComposer::ComposeBands(const codecs::Image& picture, const Frame& next, const Lines& lines) {
  const std::array<bool, kLines> compose = BandsToCompose(next);
  composed_ = next;
  if (!AnyOf(compose)) return;
  for (size_t i = 0; i < kLines; ++i) {
    if (!compose[i]) continue;
    ClearRectExcept(buffer_, next.bands[i], {});
    CopyPlanned(buffer_, picture, ClipCopyPlan(next.picture, next.bands[i]));
  }
  for (size_t i = 0; i < kLines; ++i) {
    if (!compose[i]) continue;
    if (lines[i]->draw) lines[i]->draw();
    bandComposed_[i] = true;
  }
}

void FrameComposer::PictureChanging() {
  if (pictureToWindow_) CompleteBuffer();
  composedPicture_ = nullptr;
  ++pictureRevision_;
}

void FrameComposer::CompleteBuffer() {
  if (bufferWhole_) return;
  const Frame& c = composed_;
  for (const Rect& r : SubtractAll(buffer_.bounds(), c.bands)) ClearRectExcept(buffer_, r, {});
  if (composedPicture_ != nullptr) {
    for (const Rect& r : SubtractAll(c.picture.dest, c.bands))
      CopyPlanned(buffer_, *composedPicture_, ClipCopyPlan(c.picture, r));
  }
  bufferWhole_ = true;
  if (!FrameNotShown()) return;
  for (const Frame* f : {&shown_, &composed_}) {
    dirty_.Add(f->picture.dest);
    for (const Rect& band : f->bands) dirty_.Add(band);
  }
}

void FrameComposer::WindowShowsBuffer() {
  dirty_.Clear();
  shown_ = composed_;
  bandComposed_ = {};
  // A frame of a picture that is gone can only be composed further in the
  // buffer: the picture's next frame starts from there.
  bufferWhole_ = !pictureToWindow_ || composed_.pictureRevision != pictureRevision_;
}

bool FrameComposer::FrameNotShown() const {
  return AnyOf(bandComposed_) || !composed_.SamePicture(shown_) || composed_.bands != shown_.bands;
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
  for (size_t i = 0; i < kLines; ++i)
    if (bandComposed_[i] && !c.bands[i].empty()) update.fromBuffer.push_back(c.bands[i]);
  // The picture where it moved to, or where the bands left it uncovered.
  std::vector<Rect> pictureAreas{c.picture.dest};
  if (c.SamePicture(s)) {
    pictureAreas.clear();
    for (const Rect& band : s.bands) pictureAreas.push_back(Intersection(band, c.picture.dest));
  }
  for (const Rect& area : pictureAreas) {
    for (const Rect& r : SubtractAll(area, c.bands)) {
      const CopyPlan part = ClipCopyPlan(c.picture, r);
      if (!part.dest.empty()) update.fromPicture.push_back(part);
    }
  }
  if (!update.fromPicture.empty()) update.picture = composedPicture_;
  // Black where the picture or a band was and no longer is.
  std::vector<Rect> before{s.picture.dest};
  before.insert(before.end(), s.bands.begin(), s.bands.end());
  for (const Rect& old : before) {
    for (const Rect& outside : Subtract(old, c.picture.dest))
      for (const Rect& r : SubtractAll(outside, c.bands)) update.black.push_back(r);
  }
  shown_ = composed_;
  bandComposed_ = {};
  return update;
}

}  // namespace slideshow
