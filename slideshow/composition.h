#pragma once
// Composition of one frame in the back buffer. The buffer is memory the host
// owns (the pixels of a 32-bit top-down DIB section in the saver, a vector in
// tests); the show only writes through this view. All drawing of the picture
// into the buffer happens here, so it can be optimised in one place.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "codecs/image.h"
#include "slideshow/dirty_region.h"
#include "slideshow/frame_layers.h"
#include "slideshow/pixel_view.h"
#include "slideshow/rect.h"

namespace slideshow {

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
  friend bool operator==(const CopyPlan&, const CopyPlan&) = default;
};
CopyPlan PlanPictureCopy(Size buffer, Size picture, Rect sourceRect, Rect destRect);

// Copies `sourceRect` of the picture one to one into `destRect` of the buffer
// (both the same size). Whatever part of either rectangle lies outside its
// bitmap is not drawn: nothing is ever read or written outside.
void CopyPictureToBuffer(const PixelView& buffer, const codecs::Image& picture, Rect sourceRect,
                         Rect destRect);

// The parts of `a` outside `b`: at most four rectangles, none overlapping.
struct RectPieces {
  Rect rects[4];
  int count = 0;
  const Rect* begin() const { return rects; }
  const Rect* end() const { return rects + count; }
};
RectPieces Subtract(Rect a, Rect b);

// The part of a copy that lands inside `clip`, reading from where it did.
CopyPlan ClipCopyPlan(const CopyPlan& plan, Rect clip);

// What the window lacks of the composed frame, in three disjoint kinds:
// parts to take from the back buffer, parts to take one to one from the
// picture itself (plan.dest on the window, read from plan.sourceLeft/Top),
// and parts to make black. Applied in any order, they leave on the window
// exactly the composed frame.
struct WindowUpdate {
  std::vector<Rect> fromBuffer;
  const codecs::Image* picture = nullptr;
  std::vector<CopyPlan> fromPicture;
  std::vector<Rect> black;
};

// Composes frames (frame_layers.h). Any frame can be composed whole in the
// back buffer by the reference path, and then goes to the window from there.
// The frame of the documented show (black, one picture copied one to one into
// its place, the date caption drawn over both and the ticker over all, so the
// caption never hides the ticker's text) has two faster ways, both giving the
// window exactly that frame:
//
// In the back buffer (the preview, which stretches the whole buffer onto its
// small window): the buffer always holds the whole frame; each frame clears
// what the last one drew where the new picture will not cover it, copies the
// picture and draws the ticker, and the changed parts go to the window.
//
// Picture to the window (full screen): the buffer holds only the lines'
// bands, each composed there (black, the part of the picture under it, the
// text) only when its text or the picture under it changed, and with it
// every band it overlaps or overlapped. The picture goes to the window
// straight from its own bitmap, and only where it moved; black goes where
// the picture or a band was and no longer is. A still picture is not put on
// the window again at all.
//
// A composed frame reads the picture when it is presented, so before the
// picture changes the composer must be told (PictureChanging); it then puts
// the frame not yet presented whole into the buffer and sends that.
class FrameComposer {
 public:
  FrameComposer(PixelView buffer, bool pictureToWindow)
      : buffer_(buffer), pictureToWindow_(pictureToWindow) {}

  // Fills the whole buffer black: the frame with nothing in it, which the
  // window does not show yet.
  void ClearAll();
  // Composes the frame: a plain one (AsPlainFrame) by the faster ways, any
  // other whole in the buffer.
  void Compose(const FrameLayers& frame);
  // The plain frame of one picture copied one to one.
  void Compose(const codecs::Image& picture, Rect sourceRect, Rect destRect,
               const TextLayer& ticker, const TextLayer& caption = {});
  // The picture of the frames composed so far is about to change or go.
  void PictureChanging();
  // Puts the composed frame whole into the buffer, for a host that stretches
  // the buffer onto the window; then WindowShowsBuffer once it has.
  void CompleteBuffer();
  void WindowShowsBuffer();

  // True when the window lacks something of the composed frame.
  bool HasUpdate() const;
  // What the window lacks; the composer takes it to be on the window next.
  WindowUpdate TakeUpdate();

  const PixelView& Buffer() const { return buffer_; }

 private:
  // The lines in the order they are drawn: the caption, then the ticker.
  static constexpr size_t kLines = 2;
  // The picture revision of a frame composed whole: no picture's.
  static constexpr uint64_t kWholeFrameRevision = ~uint64_t(0);
  using Lines = std::array<const TextLayer*, kLines>;

  // What a frame shows, as the window sees it.
  struct Frame {
    CopyPlan picture;
    uint64_t pictureRevision = 0;
    std::array<Rect, kLines> bands;
    std::array<uint64_t, kLines> lineRevisions{};
    bool SamePicture(const Frame& o) const {
      return picture == o.picture && pictureRevision == o.pictureRevision;
    }
  };

  void ComposeWhole(const FrameLayers& frame);
  void ComposeInBuffer(const CopyPlan& plan, const codecs::Image& picture, const Lines& lines);
  void ComposeBands(const codecs::Image& picture, const Frame& next, const Lines& lines);
  std::array<bool, kLines> BandsToCompose(const Frame& next) const;
  bool FrameNotShown() const;

  PixelView buffer_;
  bool pictureToWindow_;
  // True while the buffer holds the whole composed frame and the window is
  // updated from it alone: always when the picture does not go to the
  // window, otherwise from ClearAll, PictureChanging or CompleteBuffer until
  // an update of a frame of the current picture has been taken.
  bool bufferWhole_ = true;
  DirtyRegion dirty_;  // while bufferWhole_: what the window lacks of it
  Frame composed_, shown_;
  const codecs::Image* composedPicture_ = nullptr;
  uint64_t pictureRevision_ = 0;
  // The bands in the buffer that are newer than the window's.
  std::array<bool, kLines> bandComposed_{};
};

}  // namespace slideshow
