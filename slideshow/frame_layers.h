#pragma once
// A frame as the show describes it: black, then picture layers, then text
// layers, each drawn over what lies under it by its opacity. A picture layer
// is a fractional source rectangle of an image stretched over a fractional
// destination rectangle, or black where it has no image (the background a
// slide brings along into a crossfade). A text layer is a line drawn over the
// buffer (the date caption, the ticker).
//
// ComposeLayers is the reference: it composes any frame whole. FrameComposer
// has faster ways for the frames that allow them and must always leave on the
// window exactly what ComposeLayers leaves in a buffer.
#include <cstddef>  // codecs/image.h uses size_t
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "codecs/image.h"
#include "slideshow/bilinear_scale.h"
#include "slideshow/pixel_view.h"
#include "slideshow/rect.h"

namespace slideshow {

// A line drawn over the pictures (the ticker's, the date caption's) as the
// composer needs it: every pixel its drawing may touch (too large costs a
// little time, too small leaves trails), a number that changes whenever its
// text, place or font does, and the drawing itself, over the back buffer,
// transparent. An empty one draws nothing.
struct TextLayer {
  Rect bounds;
  uint64_t revision = 0;
  std::function<void()> draw;
  double opacity = 1;
};

struct PictureLayer {
  const codecs::Image* image = nullptr;  // none: black
  RectF source;                          // in the image's pixels
  RectF dest;                            // in the buffer's pixels
  double opacity = 1;
};

struct FrameLayers {
  std::vector<PictureLayer> pictures;
  std::vector<TextLayer> texts;  // drawn in this order, after every picture
};

// Clears the buffer black and draws every layer in order. A picture layer
// whose rectangles are whole pixels of the same size is copied one to one;
// any other is resampled (DrawScaled). A text layer at less than full opacity
// is drawn and then mixed with what it covered.
void ComposeLayers(const PixelView& buffer, const FrameLayers& frame);
// The same over what the buffer holds already (a new black picture, say).
void DrawLayers(const PixelView& buffer, const FrameLayers& frame);

// The frame that the composer's fast ways take: one opaque picture copied
// one to one, the date caption and the ticker over it at full opacity.
struct PlainFrame {
  const codecs::Image* picture = nullptr;
  Rect sourceRect, destRect;
  const TextLayer* caption = nullptr;
  const TextLayer* ticker = nullptr;
};
// A frame of one picture layer and at most two text layers (the caption,
// then the ticker), all opaque, the picture in whole pixels of equal size.
std::optional<PlainFrame> AsPlainFrame(const FrameLayers& frame);

}  // namespace slideshow
