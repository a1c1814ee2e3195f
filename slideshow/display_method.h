#pragma once
// How the show places its pictures: floating across the screen and bouncing,
// standing still in the centre, or standing still with a slow pan & zoom.
// MoveFlag chooses between floating and still; fgPanZoom turns a still show
// into pan & zoom and leaves a floating one as it is.
namespace slideshow {

enum class DisplayMethod { Floating, Still, PanZoom };

constexpr DisplayMethod DisplayMethodOf(bool floating, bool panZoom) {
  if (floating) return DisplayMethod::Floating;
  return panZoom ? DisplayMethod::PanZoom : DisplayMethod::Still;
}

}  // namespace slideshow
