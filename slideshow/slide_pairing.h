#pragma once
// Two pictures on one slide. On a landscape screen a portrait photo fills a
// third of it; two of them side by side fill most of it. A portrait screen
// stacks two landscape photos the same way. Which pictures pair is decided
// from their headers, before either is decoded.
#include <cstdint>
#include <optional>

#include "codecs/picture_header.h"
#include "slideshow/rect.h"

namespace slideshow {

// Whether the current pick and the next one share a slide: both portraits on
// a landscape screen, both landscape on a portrait screen (one higher than
// wide). A picture whose header could not be read, or that is an animation
// strip, stands alone, as does one with no next pick (the last of the order).
bool ShowsAsPair(Size screen, const codecs::PictureHeader& current,
                 const std::optional<codecs::PictureHeader>& next);

// The gap between the two pictures of a pair: 1 % of the screen's width, at
// least 2 pixels.
int32_t PairGap(Size screen);

struct PairedPlace {
  // The picture's half of the screen: left or right side by side, top or
  // bottom stacked. Its date caption stands at the bottom right of it.
  Rect half;
  // Where the picture is drawn: fitted within the half less the gap (half of
  // it on each side) and centred in the half. Never enlarged.
  Rect picture;
  friend bool operator==(const PairedPlace&, const PairedPlace&) = default;
};

struct PairLayout {
  PairedPlace first;   // the current pick: left, or top
  PairedPlace second;  // the next pick: right, or bottom
  friend bool operator==(const PairLayout&, const PairLayout&) = default;
};

// Where the two pictures of a pair go, given their whole (upright) sizes.
PairLayout LayOutPair(Size screen, Size first, Size second);

}  // namespace slideshow
