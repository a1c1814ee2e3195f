#include "slideshow/frame_layers.h"

#include <cmath>
#include <cstring>

#include "slideshow/composition.h"
#include "slideshow/pixel_mix.h"

namespace slideshow {
namespace {

// The rectangle in whole pixels, when every edge is one.
std::optional<Rect> WholePixels(const RectF& r) {
  const double edges[4] = {r.left, r.top, r.right, r.bottom};
  for (double e : edges)
    if (e != std::floor(e) || std::fabs(e) > 1e9) return std::nullopt;
  return Rect{int32_t(r.left), int32_t(r.top), int32_t(r.right), int32_t(r.bottom)};
}

bool SameSize(const Rect& a, const Rect& b) { return a.width() == b.width() && a.height() == b.height(); }

void DrawBlack(const PixelView& buffer, const RectF& dest, int32_t weight) {
  const Rect r = PixelsOf(dest, buffer.bounds());
  for (int32_t y = r.top; y < r.bottom; ++y) {
    if (weight >= kOpaque)
      std::memset(buffer.row(y) + r.left, 0, size_t(r.width()) * sizeof(uint32_t));
    else
      DarkenRow(buffer.row(y) + r.left, size_t(r.width()), weight);
  }
}

// The pixels an opaque picture layer overwrites whole, so the background
// need not be drawn under them first.
Rect OpaquelyDrawn(const PixelView& buffer, const PictureLayer& layer) {
  if (layer.image == nullptr || layer.image->empty() || OpacityWeight(layer.opacity) < kOpaque) return {};
  const codecs::Image& image = *layer.image;
  const std::optional<Rect> source = WholePixels(layer.source), dest = WholePixels(layer.dest);
  if (!source || !dest || !SameSize(*source, *dest))
    return layer.source.empty() ? Rect{} : PixelsOf(layer.dest, buffer.bounds());
  return PlanPictureCopy(buffer.size(), {image.width, image.height}, *source, *dest).dest;
}

void DrawPicture(const PixelView& buffer, const PictureLayer& layer) {
  const int32_t weight = OpacityWeight(layer.opacity);
  if (weight == 0) return;
  if (layer.image == nullptr) return DrawBlack(buffer, layer.dest, weight);
  const codecs::Image& image = *layer.image;
  const std::optional<Rect> source = WholePixels(layer.source), dest = WholePixels(layer.dest);
  if (!source || !dest || !SameSize(*source, *dest)) return DrawScaled(buffer, image, layer.source, layer.dest, weight);
  const CopyPlan plan = PlanPictureCopy(buffer.size(), {image.width, image.height}, *source, *dest);
  for (int32_t dy = 0; dy < plan.dest.height(); ++dy) {
    uint32_t* to = buffer.row(plan.dest.top + dy) + plan.dest.left;
    const uint32_t* from = image.row(plan.sourceTop + dy) + plan.sourceLeft;
    MixRow(to, to, from, size_t(plan.dest.width()), weight);
  }
}

void DrawText(const PixelView& buffer, const TextLayer& text) {
  const int32_t weight = OpacityWeight(text.opacity);
  if (!text.draw || weight == 0) return;
  if (weight >= kOpaque) return text.draw();
  const Rect band = Intersection(text.bounds, buffer.bounds());
  std::vector<uint32_t> under(size_t(band.width()) * size_t(band.height()));
  for (int32_t y = band.top; y < band.bottom; ++y)
    std::memcpy(&under[size_t(y - band.top) * size_t(band.width())], buffer.row(y) + band.left,
                size_t(band.width()) * sizeof(uint32_t));
  text.draw();
  for (int32_t y = band.top; y < band.bottom; ++y) {
    uint32_t* row = buffer.row(y) + band.left;
    MixRow(row, &under[size_t(y - band.top) * size_t(band.width())], row, size_t(band.width()), weight);
  }
}

}  // namespace

void ComposeLayers(const PixelView& buffer, const FrameLayers& frame) {
  const Rect covered = frame.pictures.empty() ? Rect{} : OpaquelyDrawn(buffer, frame.pictures.front());
  ClearRectExcept(buffer, buffer.bounds(), covered);
  DrawLayers(buffer, frame);
}

void DrawLayers(const PixelView& buffer, const FrameLayers& frame) {
  for (const PictureLayer& layer : frame.pictures) DrawPicture(buffer, layer);
  for (const TextLayer& text : frame.texts) DrawText(buffer, text);
}

std::optional<PlainFrame> AsPlainFrame(const FrameLayers& frame) {
  if (frame.pictures.size() != 1 || frame.texts.size() > 2) return std::nullopt;
  const PictureLayer& layer = frame.pictures.front();
  if (layer.image == nullptr || OpacityWeight(layer.opacity) != kOpaque) return std::nullopt;
  for (const TextLayer& text : frame.texts)
    if (OpacityWeight(text.opacity) != kOpaque) return std::nullopt;
  const std::optional<Rect> source = WholePixels(layer.source), dest = WholePixels(layer.dest);
  if (!source || !dest || !SameSize(*source, *dest)) return std::nullopt;
  PlainFrame plain{layer.image, *source, *dest};
  if (frame.texts.size() == 2) plain.caption = &frame.texts[0];
  if (!frame.texts.empty()) plain.ticker = &frame.texts.back();
  return plain;
}

}  // namespace slideshow
