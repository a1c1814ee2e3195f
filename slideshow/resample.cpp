#include "slideshow/resample.h"

#include <algorithm>

#include "codecs/area_reduce.h"

namespace slideshow {

codecs::Image ResamplePicture(const codecs::Image& source, int32_t width, int32_t height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == source.width && height == source.height) return source;
  codecs::Image out(width, height);
  ResamplePictureInto(source, {out.pixels.data(), width, height, width});
  return out;
}

void ResamplePictureInto(const codecs::Image& source, const PixelView& into) {
  if (into.width <= 0 || into.height <= 0 || source.empty()) return;
  codecs::AreaReducer reducer(source.width, source.height, into.pixels, into.width, into.height, into.stride);
  for (int32_t y = 0; y < source.height; ++y) reducer.AddRow(source.row(y));
}

}  // namespace slideshow
