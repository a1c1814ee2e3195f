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

// Where a picture layer drawn one to one lands, and from where in its
// picture; nothing for a layer that is scaled or has no picture.
std::optional<CopyPlan> OneToOnePlan(const PixelView& buffer, const PictureLayer& layer) {
  if (layer.image == nullptr) return std::nullopt;
  const std::optional<Rect> source = WholePixels(layer.source), dest = WholePixels(layer.dest);
  if (!source || !dest || !SameSize(*source, *dest)) return std::nullopt;
  return PlanPictureCopy(buffer.size(), {layer.image->width, layer.image->height}, *source, *dest);
}

const uint32_t* SourceRow(const codecs::Image& image, const CopyPlan& plan, int32_t y, int32_t x) {
  return image.row(plan.sourceTop + y - plan.dest.top) + plan.sourceLeft + x - plan.dest.left;
}

void DrawPicture(const PixelView& buffer, const PictureLayer& layer) {
  const int32_t weight = OpacityWeight(layer.opacity);
  if (weight == 0) return;
  if (layer.image == nullptr) return DrawBlack(buffer, layer.dest, weight);
  const std::optional<CopyPlan> plan = OneToOnePlan(buffer, layer);
  if (!plan) return DrawScaled(buffer, *layer.image, layer.source, layer.dest, weight);
  const Rect& d = plan->dest;
  for (int32_t y = d.top; y < d.bottom; ++y) {
    uint32_t* to = buffer.row(y) + d.left;
    const uint32_t* from = SourceRow(*layer.image, *plan, y, d.left);
    if (weight >= kOpaque)
      std::memcpy(to, from, size_t(d.width()) * sizeof(uint32_t));
    else
      MixRow(to, to, from, size_t(d.width()), weight);
  }
}

// A crossfade's two pictures at once, in one pass over the buffer: an opaque
// picture drawn one to one and a translucent one drawn one to one within it.
// Each pixel is what drawing the one and then the other gives. False, and
// nothing drawn, for any other pair.
bool DrawFadingPair(const PixelView& buffer, const PictureLayer& under, const PictureLayer& over) {
  const int32_t weight = OpacityWeight(over.opacity);
  if (OpacityWeight(under.opacity) < kOpaque || weight <= 0 || weight >= kOpaque) return false;
  const std::optional<CopyPlan> below = OneToOnePlan(buffer, under), above = OneToOnePlan(buffer, over);
  if (!below || !above) return false;
  const Rect &u = below->dest, &o = above->dest;
  if (o.empty() || Intersection(u, o) != o) return false;
  const auto copy = [&](uint32_t* row, int32_t y, int32_t from, int32_t to) {
    if (to > from) std::memcpy(row + from, SourceRow(*under.image, *below, y, from), size_t(to - from) * sizeof(uint32_t));
  };
  for (int32_t y = u.top; y < u.bottom; ++y) {
    uint32_t* row = buffer.row(y);
    if (y < o.top || y >= o.bottom) {
      copy(row, y, u.left, u.right);
      continue;
    }
    copy(row, y, u.left, o.left);
    MixRow(row + o.left, SourceRow(*under.image, *below, y, o.left), SourceRow(*over.image, *above, y, o.left),
           size_t(o.width()), weight);
    copy(row, y, o.right, u.right);
  }
  return true;
}

// The pixels an opaque picture layer overwrites whole, so the background
// need not be drawn under them first.
Rect OpaquelyDrawn(const PixelView& buffer, const PictureLayer& layer) {
  if (layer.image == nullptr || layer.image->empty() || OpacityWeight(layer.opacity) < kOpaque) return {};
  if (const std::optional<CopyPlan> plan = OneToOnePlan(buffer, layer)) return plan->dest;
  return layer.source.empty() ? Rect{} : PixelsOf(layer.dest, buffer.bounds());
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
  const std::vector<PictureLayer>& pictures = frame.pictures;
  for (size_t i = 0; i < pictures.size(); ++i) {
    if (i + 1 < pictures.size() && DrawFadingPair(buffer, pictures[i], pictures[i + 1]))
      ++i;
    else
      DrawPicture(buffer, pictures[i]);
  }
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
