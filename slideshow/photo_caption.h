#pragma once
// The date caption in the bottom right corner of the screen (or of a paired
// photo's half of it): white text with a dark outline, so it reads over any
// photo and over black alike. The text is rendered once when it changes;
// every frame then only blends the finished caption into the back buffer,
// which costs a few thousand pixels.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "slideshow/composition.h"
#include "slideshow/rect.h"

namespace slideshow {

// A line of text as the host renders it: how much of each pixel its glyphs
// cover, 0 to 255, rows top-down.
struct TextMask {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> coverage;
};

// Renders `text` in the face at a character height of `pixelHeight`.
using RenderTextMask =
    std::function<TextMask(const std::string& face, int32_t pixelHeight, const std::string& text)>;

// The caption's measures on a screen: a character height of about 1/36 of
// the screen's height and at least 12 pixels, a margin of about 2 % of the
// height, and an outline that grows with the text.
struct CaptionMeasures {
  int32_t textHeight = 0;
  int32_t margin = 0;
  int32_t outline = 0;
};
CaptionMeasures CaptionMeasuresFor(Size screen);

class PhotoCaption {
 public:
  // `buffer` is the screen-sized back buffer the caption is drawn over.
  explicit PhotoCaption(const PixelView& buffer) : buffer_(buffer), area_(buffer.bounds()) {}

  // The caption stands at the bottom right of `area` (of a pair's photo, its
  // half) from now on; of the whole buffer until then.
  void StandIn(Rect area);

  // Shows `text` in `face` from now on; an empty text shows nothing.
  void Show(const std::string& text, const std::string& face, const RenderTextMask& render);
  // The caption as the composer draws it.
  TextLayer Line() const;
  Rect Bounds() const { return bounds_; }
  // The whole buffer it is drawn over.
  Rect Whole() const { return buffer_.bounds(); }

 private:
  void BlendInto() const;

  PixelView buffer_;
  Rect area_;
  std::string text_, face_;
  Rect bounds_;
  uint64_t revision_ = 0;
  // Per pixel of bounds_: how much the outline darkens it and how much the
  // text then lightens it, 0 to 255.
  std::vector<uint8_t> outline_, fill_;
};

}  // namespace slideshow
