#pragma once
// Pan & zoom: a still picture that slowly moves and zooms. The picture
// fills the screen when covering it hides at most a fifth of the picture,
// and is shown whole otherwise (a portrait photo on a landscape screen is
// never cut to a strip); either way it is enlarged at most 3 times. Over its
// time on screen it zooms between 1.0 and 1.2 of that scale, through poses
// drawn at random, in moves of at most 15 s that follow on one another, so
// the motion never stops and never crawls.
#include <cstdint>

#include "slideshow/bilinear_scale.h"
#include "slideshow/rect.h"

namespace slideshow {

inline constexpr double kPanZoomMostHidden = 0.2;
inline constexpr double kPanZoomLargestScale = 3;
inline constexpr double kPanZoomLargestZoom = 1.2;
inline constexpr int64_t kPanZoomLongestMoveNs = 15'000'000'000;

// The scale of a w x h picture on the screen at zoom 1.0: the cover scale,
// or, when covering hides too much, the scale that fits the picture whole at
// the largest zoom; never above 3.
double PanZoomScale(Size picture, Size screen);
// True when the picture covers the screen (rather than being fitted whole).
bool PanZoomCovers(Size picture, Size screen);

// The size a decoded picture is kept at: its own size, or less when even the
// largest zoom shows it smaller. Strips keep theirs.
Size PanZoomKeptSize(int32_t width, int32_t height, Size screen);

// A place on the zoom path: the zoom, and where the picture stands on each
// axis from one end of its travel (0) to the other (1).
struct PanZoomPose {
  double zoom = 1;
  double x = 0.5, y = 0.5;
};

class PanZoomPath {
 public:
  PanZoomPath() = default;
  // Drawn from `seed`, for a picture on screen `onScreenNs` long (0: for
  // good, in moves of 15 s).
  PanZoomPath(uint64_t seed, int64_t onScreenNs);

  PanZoomPose PoseAt(int64_t shownNs) const;
  // Where the picture stands on the screen `shownNs` after it appeared.
  RectF PlaceAt(Size picture, Size screen, int64_t shownNs) const;

 private:
  PanZoomPose Pose(int64_t move) const;
  uint64_t seed_ = 0;
  int64_t moveNs_ = kPanZoomLongestMoveNs;
};

}  // namespace slideshow
