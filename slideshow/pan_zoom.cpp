#include "slideshow/pan_zoom.h"

#include <algorithm>
#include <cmath>

#include "slideshow/picture_fitting.h"

namespace slideshow {
namespace {

double CoverScale(Size p, Size s) { return std::max(double(s.width) / p.width, double(s.height) / p.height); }
double FitScale(Size p, Size s) { return std::min(double(s.width) / p.width, double(s.height) / p.height); }

// A number from the seed and an index, evenly spread over [0, 1).
double Draw(uint64_t seed, uint64_t index) {
  uint64_t z = seed + 0x9E3779B97F4A7C15ull * (index + 1);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  return double(z >> 11) / double(uint64_t(1) << 53);
}

// One axis: the picture's extent travels between its two edge positions, [0,
// screen - extent] when smaller than the screen, [screen - extent, 0] when
// larger.
double Travel(double extent, int32_t screen, double at) {
  const double lo = std::min(0.0, screen - extent), hi = std::max(0.0, screen - extent);
  return lo + (hi - lo) * at;
}

}  // namespace

bool PanZoomCovers(Size picture, Size screen) {
  if (picture.width <= 0 || picture.height <= 0 || screen.width <= 0 || screen.height <= 0) return false;
  const double cover = CoverScale(picture, screen);
  const double shown = double(screen.width) * screen.height / (cover * picture.width * cover * picture.height);
  return 1 - shown <= kPanZoomMostHidden + 1e-9;
}

double PanZoomScale(Size picture, Size screen) {
  if (picture.width <= 0 || picture.height <= 0 || screen.width <= 0 || screen.height <= 0) return 1;
  const double scale = PanZoomCovers(picture, screen) ? CoverScale(picture, screen)
                                                      : FitScale(picture, screen) / kPanZoomLargestZoom;
  return std::min(scale, kPanZoomLargestScale);
}

Size PanZoomKeptSize(int32_t width, int32_t height, Size screen) {
  if (width <= 0 || height <= 0 || IsAnimationStrip(width, height)) return {width, height};
  const double largest = PanZoomScale({width, height}, screen) * kPanZoomLargestZoom;
  if (largest >= 1) return {width, height};
  const auto side = [&](int32_t own) { return std::clamp(int32_t(std::ceil(own * largest)), 1, own); };
  return {side(width), side(height)};
}

PanZoomPath::PanZoomPath(uint64_t seed, int64_t onScreenNs) : seed_(seed) {
  if (onScreenNs <= 0) return;
  const int64_t moves = (onScreenNs + kPanZoomLongestMoveNs - 1) / kPanZoomLongestMoveNs;
  moveNs_ = std::max<int64_t>(1, onScreenNs / moves);
}

PanZoomPose PanZoomPath::Pose(int64_t move) const {
  const uint64_t at = uint64_t(move) * 3;
  return {1 + (kPanZoomLargestZoom - 1) * Draw(seed_, at), Draw(seed_, at + 1), Draw(seed_, at + 2)};
}

PanZoomPose PanZoomPath::PoseAt(int64_t shownNs) const {
  const int64_t t = std::max<int64_t>(0, shownNs);
  const int64_t move = t / moveNs_;
  const double f = double(t % moveNs_) / double(moveNs_);
  const PanZoomPose from = Pose(move), to = Pose(move + 1);
  const auto lerp = [f](double a, double b) { return a + (b - a) * f; };
  return {lerp(from.zoom, to.zoom), lerp(from.x, to.x), lerp(from.y, to.y)};
}

RectF PanZoomPath::PlaceAt(Size picture, Size screen, int64_t shownNs) const {
  const PanZoomPose pose = PoseAt(shownNs);
  const double scale = PanZoomScale(picture, screen) * pose.zoom;
  const double w = picture.width * scale, h = picture.height * scale;
  const double left = Travel(w, screen.width, pose.x), top = Travel(h, screen.height, pose.y);
  return {left, top, left + w, top + h};
}

}  // namespace slideshow
