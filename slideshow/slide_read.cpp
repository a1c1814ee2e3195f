#include "slideshow/slide_read.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "slideshow/backdrop.h"
#include "slideshow/composition.h"
#include "slideshow/frame_layers.h"
#include "slideshow/pan_zoom.h"
#include "slideshow/picture_fitting.h"
#include "slideshow/resample.h"
#include "slideshow/slide_pairing.h"

namespace slideshow {
namespace {

bool Plain(Size fitted) { return FrameGeometryOf(fitted).value_or(FrameGeometry{}).plainPicture; }

// Pan & zoom enlarges a pair's pictures to fill their halves, as it
// enlarges a picture alone, at most three times; a still show never does.
Size LaidOutSize(Size whole, DisplayMethod method) {
  if (method != DisplayMethod::PanZoom) return whole;
  const auto scale = [](int32_t side) { return ClampToInt32(int64_t(side) * int64_t(kPanZoomLargestScale)); };
  return {scale(whole.width), scale(whole.height)};
}

// Where a picture alone stands on the screen it is laid out on: centred at
// the size it is shown at, which pan & zoom then moves with the whole.
Rect PlaceAlone(Size fitted, Size screen, DisplayMethod method) {
  double w = fitted.width, h = fitted.height;
  if (method == DisplayMethod::PanZoom) {
    const double scale = PanZoomScale(fitted, screen);
    w = std::round(w * scale);
    h = std::round(h * scale);
  }
  const double left = std::floor((screen.width - w) / 2), top = std::floor((screen.height - h) / 2);
  return {ClampToInt32(int64_t(left)), ClampToInt32(int64_t(top)), ClampToInt32(int64_t(left + w)),
          ClampToInt32(int64_t(top + h))};
}

// A slide laid out whole: one picture of the screen's size, black until its
// pictures and backdrops are drawn.
FittedPicture BlackSlide(Size screen) { return {codecs::Image(screen.width, screen.height), screen}; }

// The backdrop stretched over `area`, where the picture at `dest` leaves it
// uncovered: only there, since the stretch is the dear part.
void DrawBackdrop(const codecs::Image& backdrop, Rect area, Rect dest, const PixelView& slide) {
  const double sx = double(backdrop.width) / area.width(), sy = double(backdrop.height) / area.height();
  FrameLayers frame;
  for (const Rect& r : Subtract(area, PixelsOf(ToRectF(dest), area))) {
    const RectF source{(r.left - area.left) * sx, (r.top - area.top) * sy, (r.right - area.left) * sx,
                       (r.bottom - area.top) * sy};
    frame.pictures.push_back({&backdrop, source, ToRectF(r), 1});
  }
  DrawLayers(slide, frame);
}

// Draws a decoded picture unchanged at `dest` on the slide, over its
// backdrop in `area` if it has one. A picture reduced to the size it is drawn
// at is reduced straight into its place, which saves a picture of its own
// and the copy; any other (kept at its size, or enlarged by pan & zoom) is
// drawn as a layer.
void Place(DecodedPicture picture, Rect area, Rect dest, bool backdrop, codecs::Image& slide) {
  const PixelView whole{slide.pixels.data(), slide.width, slide.height, slide.width};
  const Size areaSize{area.width(), area.height()}, decoded{picture.picture.width, picture.picture.height};
  if (picture.fitted == Size{dest.width(), dest.height()} && picture.fitted != decoded &&
      Intersection(dest, whole.bounds()) == dest) {
    const PixelView into = whole.Part(dest);
    ResamplePictureInto(picture.picture, into);
    picture.picture = {};
    if (backdrop) DrawBackdrop(MakeBackdrop(into, areaSize), area, dest, whole);
    return;
  }
  const FittedPicture fitted = ReduceToFit(std::move(picture));
  const codecs::Image& bitmap = fitted.bitmap;
  if (backdrop) DrawBackdrop(MakeBackdrop(bitmap, areaSize), area, dest, whole);
  FrameLayers frame;
  frame.pictures.push_back({&bitmap, {0, 0, double(bitmap.width), double(bitmap.height)}, ToRectF(dest), 1});
  DrawLayers(whole, frame);
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
  std::optional<DecodedPicture> b = DecodeForFit(decode, nextPath, fitTo(layout.second.picture));
  if (!b) return std::nullopt;
  try {
    FittedPicture slide = BlackSlide(screen);
    const std::optional<codecs::PhotoDate> secondTaken = b->picture.taken;
    Place(std::move(*b), layout.second.half, layout.second.picture, backdrop, slide.bitmap);
    std::optional<DecodedPicture> a = DecodeForFit(decode, path, fitTo(layout.first.picture));
    if (!a) return std::nullopt;
    const std::optional<codecs::PhotoDate> firstTaken = a->picture.taken;
    Place(std::move(*a), layout.first.half, layout.first.picture, backdrop, slide.bitmap);
    slide.bitmap.taken = firstTaken;
    slide.photos = {{layout.first.half, firstTaken}, {layout.second.half, secondTaken}};
    return slide;
  } catch (...) {
    return std::nullopt;  // no memory for the slide
  }
}

// The picture alone, fitted as always, or laid out over its backdrop where
// it leaves the screen uncovered.
FittedPicture OverBackdrop(DecodedPicture read, DisplayMethod method, Size screen) {
  if (!Plain(read.fitted) || (method == DisplayMethod::PanZoom && PanZoomCovers(read.fitted, screen)))
    return ReduceToFit(std::move(read));
  const Rect whole{0, 0, screen.width, screen.height};
  const Rect dest = PlaceAlone(read.fitted, screen, method);
  const std::optional<codecs::PhotoDate> taken = read.picture.taken;
  FittedPicture slide = BlackSlide(screen);
  Place(std::move(read), whole, dest, true, slide.bitmap);
  slide.bitmap.taken = taken;
  slide.photos = {{whole, taken}};
  return slide;
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
  if (!choices.backdrop) return DecodeAndFit(decode, path, method, screen);
  std::optional<DecodedPicture> read = DecodeForFit(decode, path, FitFor(method, screen));
  if (!read) return std::nullopt;
  try {
    return OverBackdrop(std::move(*read), method, screen);
  } catch (...) {
    return std::nullopt;  // no memory for the slide
  }
}

}  // namespace slideshow
