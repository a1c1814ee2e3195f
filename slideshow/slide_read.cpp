#include "slideshow/slide_read.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "slideshow/backdrop.h"
#include "slideshow/composition.h"
#include "slideshow/frame_layers.h"
#include "slideshow/pan_zoom.h"
#include "slideshow/picture_fitting.h"
#include "slideshow/slide_pairing.h"

namespace slideshow {
namespace {

// A picture of a slide laid out whole, and the part of the screen it owns.
struct Placed {
  FittedPicture fitted;
  Rect area;   // its half, or the whole screen
  RectF dest;  // where it is drawn
};

bool Plain(const FittedPicture& picture) {
  return FrameGeometryOf(picture.fitted).value_or(FrameGeometry{}).plainPicture;
}

// Pan & zoom enlarges a pair's pictures to fill their halves, as it
// enlarges a picture alone, at most three times; a still show never does.
Size LaidOutSize(Size whole, DisplayMethod method) {
  if (method != DisplayMethod::PanZoom) return whole;
  const auto scale = [](int32_t side) { return ClampToInt32(int64_t(side) * int64_t(kPanZoomLargestScale)); };
  return {scale(whole.width), scale(whole.height)};
}

// Where a picture alone stands on the screen it is laid out on: centred at
// the size it is shown at, which pan & zoom then moves with the whole.
RectF PlaceAlone(Size fitted, Size screen, DisplayMethod method) {
  double w = fitted.width, h = fitted.height;
  if (method == DisplayMethod::PanZoom) {
    const double scale = PanZoomScale(fitted, screen);
    w = std::round(w * scale);
    h = std::round(h * scale);
  }
  const double left = std::floor((screen.width - w) / 2), top = std::floor((screen.height - h) / 2);
  return {left, top, left + w, top + h};
}

// The parts of a backdrop stretched over `area` that the picture leaves
// uncovered: only those are drawn, since the stretch is the dear part.
void AddBackdropLayers(const codecs::Image& backdrop, Rect area, const RectF& picture, FrameLayers& frame) {
  const double sx = double(backdrop.width) / area.width(), sy = double(backdrop.height) / area.height();
  for (const Rect& r : Subtract(area, PixelsOf(picture, area))) {
    const RectF source{(r.left - area.left) * sx, (r.top - area.top) * sy, (r.right - area.left) * sx,
                       (r.bottom - area.top) * sy};
    frame.pictures.push_back({&backdrop, source, ToRectF(r), 1});
  }
}

// The pictures over their backdrops (or black) in one picture of the
// screen's size, with each photo's place and date.
FittedPicture LayOut(std::vector<Placed> placed, Size screen, bool backdrop) {
  std::vector<codecs::Image> backdrops;
  FrameLayers frame;
  if (backdrop) {
    backdrops.reserve(placed.size());
    for (const Placed& p : placed) {
      backdrops.push_back(MakeBackdrop(p.fitted.bitmap, {p.area.width(), p.area.height()}));
      AddBackdropLayers(backdrops.back(), p.area, p.dest, frame);
    }
  }
  for (const Placed& p : placed) {
    const codecs::Image& bitmap = p.fitted.bitmap;
    frame.pictures.push_back({&bitmap, {0, 0, double(bitmap.width), double(bitmap.height)}, p.dest, 1});
  }
  FittedPicture whole{codecs::Image(screen.width, screen.height), screen};
  // A new picture is black already.
  DrawLayers({whole.bitmap.pixels.data(), screen.width, screen.height, screen.width}, frame);
  whole.bitmap.taken = placed.front().fitted.bitmap.taken;
  for (const Placed& p : placed) whole.photos.push_back({p.area, p.fitted.bitmap.taken});
  return whole;
}

// Nothing when the picks make no pair, or either picture of it cannot be
// decoded: the slide is then the first alone. (Only a file that fails is
// decoded again.)
std::optional<FittedPicture> ReadPair(const DecodeFunction& decode, const HeaderFunction& header,
                                      const std::string& path, const std::string& nextPath, DisplayMethod method,
                                      Size screen, bool backdrop) {
  if (nextPath.empty()) return std::nullopt;
  const codecs::PictureHeader first = header(path), second = header(nextPath);
  if (!ShowsAsPair(screen, first, second)) return std::nullopt;
  const Size firstSize = LaidOutSize({first.size.width, first.size.height}, method);
  const Size secondSize = LaidOutSize({second.size.width, second.size.height}, method);
  const PairLayout layout = LayOutPair(screen, firstSize, secondSize);
  // Decoded to the size it is drawn at, or its own when pan & zoom enlarges
  // it: the lay-out then stretches it.
  const auto fitTo = [](const Rect& r) {
    return [size = Size{r.width(), r.height()}](Size whole) { return size.width > whole.width ? whole : size; };
  };
  std::optional<FittedPicture> b = DecodeAndFitTo(decode, nextPath, fitTo(layout.second.picture));
  if (!b) return std::nullopt;
  std::optional<FittedPicture> a = DecodeAndFitTo(decode, path, fitTo(layout.first.picture));
  if (!a) return std::nullopt;
  std::vector<Placed> placed;
  placed.push_back({std::move(*a), layout.first.half, ToRectF(layout.first.picture)});
  placed.push_back({std::move(*b), layout.second.half, ToRectF(layout.second.picture)});
  return LayOut(std::move(placed), screen, backdrop);
}

}  // namespace

SlideChoices SlideChoicesFor(DisplayMethod method, const settings::ShowEffects& effects) {
  if (method == DisplayMethod::Floating) return {};
  return {effects.pairs, effects.backdrop};
}

std::optional<FittedPicture> ReadSlide(const DecodeFunction& decode, const HeaderFunction& header,
                                       const std::string& path, const std::string& nextPath, DisplayMethod method,
                                       Size screen, SlideChoices choices) {
  if (choices.pairs && header)
    if (std::optional<FittedPicture> pair = ReadPair(decode, header, path, nextPath, method, screen, choices.backdrop))
      return pair;
  std::optional<FittedPicture> read = DecodeAndFit(decode, path, method, screen);
  if (!choices.backdrop || !read || !Plain(*read)) return read;
  if (method == DisplayMethod::PanZoom && PanZoomCovers(read->fitted, screen)) return read;
  const Rect whole{0, 0, screen.width, screen.height};
  const RectF dest = PlaceAlone(read->fitted, screen, method);
  std::vector<Placed> placed;
  placed.push_back({std::move(*read), whole, dest});
  return LayOut(std::move(placed), screen, true);
}

}  // namespace slideshow
