#include "slideshow/photo_caption.h"

#include <algorithm>

namespace slideshow {

CaptionMeasures CaptionMeasuresFor(Size screen) {
  const int32_t textHeight = std::max(12, screen.height / 36);
  return {textHeight, (screen.height * 2 + 50) / 100, std::max(1, (textHeight + 8) / 16)};
}

namespace {

// Every pixel within `radius` of a covered pixel, as covered as the most
// covered one there: the text thickened into its outline.
std::vector<uint8_t> Dilate(const std::vector<uint8_t>& fill, int32_t width, int32_t height, int32_t radius) {
  std::vector<uint8_t> out(fill.size(), 0);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      uint8_t most = 0;
      for (int32_t dy = -radius; dy <= radius; ++dy) {
        const int32_t sy = y + dy;
        if (sy < 0 || sy >= height) continue;
        for (int32_t dx = -radius; dx <= radius; ++dx) {
          const int32_t sx = x + dx;
          if (sx < 0 || sx >= width || dx * dx + dy * dy > radius * radius + radius) continue;
          most = std::max(most, fill[size_t(sy) * size_t(width) + size_t(sx)]);
        }
      }
      out[size_t(y) * size_t(width) + size_t(x)] = most;
    }
  }
  return out;
}

// Most of the caption is plain outline or plain text, whatever lies under it.
uint32_t Blend(uint32_t pixel, uint32_t outline, uint32_t fill) {
  if (fill == 255) return 0xFFFFFF;
  if (outline == 255 && fill == 0) return 0;
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    uint32_t c = (pixel >> shift) & 0xFF;
    c = c * (255 - outline) / 255;
    c += (255 - c) * fill / 255;
    out |= c << shift;
  }
  return out;
}

}  // namespace

void PhotoCaption::Show(const std::string& text, const std::string& face, const RenderTextMask& render) {
  if (text == text_ && face == face_) return;
  text_ = text;
  face_ = face;
  ++revision_;
  bounds_ = {};
  outline_.clear();
  fill_.clear();
  if (text.empty()) return;
  const CaptionMeasures m = CaptionMeasuresFor(buffer_.size());
  const TextMask mask = render(face, m.textHeight, text);
  if (mask.width <= 0 || mask.height <= 0 || mask.coverage.size() != size_t(mask.width) * size_t(mask.height))
    return;
  const int32_t w = mask.width + 2 * m.outline, h = mask.height + 2 * m.outline;
  fill_.assign(size_t(w) * size_t(h), 0);
  for (int32_t y = 0; y < mask.height; ++y)
    std::copy_n(mask.coverage.begin() + ptrdiff_t(y) * mask.width, mask.width,
                fill_.begin() + ptrdiff_t(y + m.outline) * w + m.outline);
  outline_ = Dilate(fill_, w, h, m.outline);
  const int32_t right = area_.right - m.margin, bottom = area_.bottom - m.margin;
  bounds_ = {right - w, bottom - h, right, bottom};
}

void PhotoCaption::StandIn(Rect area) {
  if (area == area_) return;
  const int32_t dx = area.right - area_.right, dy = area.bottom - area_.bottom;
  area_ = area;
  if (bounds_.empty()) return;
  bounds_ = {bounds_.left + dx, bounds_.top + dy, bounds_.right + dx, bounds_.bottom + dy};
  ++revision_;
}

TextLayer PhotoCaption::Line() const {
  if (bounds_.empty()) return {{}, revision_, {}};
  return {Intersection(bounds_, buffer_.bounds()), revision_, [this] { BlendInto(); }};
}

void PhotoCaption::BlendInto() const {
  const Rect drawn = Intersection(bounds_, buffer_.bounds());
  const int32_t w = bounds_.width();
  for (int32_t y = drawn.top; y < drawn.bottom; ++y) {
    uint32_t* row = buffer_.row(y);
    const size_t rowStart = size_t(y - bounds_.top) * size_t(w);
    for (int32_t x = drawn.left; x < drawn.right; ++x) {
      const size_t at = rowStart + size_t(x - bounds_.left);
      if (outline_[at] != 0) row[x] = Blend(row[x], outline_[at], fill_[at]);
    }
  }
}

}  // namespace slideshow
