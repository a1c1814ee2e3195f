#include "picker/thumbnail_fit.h"

#include <algorithm>

namespace picker {

ThumbnailPlacement FitThumbnail(int32_t width, int32_t height, int32_t imageBoxLeft,
                                int32_t imageBoxTop) {
  ThumbnailPlacement p;
  if (width <= kThumbnailSide && height <= kThumbnailSide) {
    p.width = width;
    p.height = height;
  } else if (width > height) {
    // The divisor is the larger side, which exceeds 168 here, so it is never 0.
    p.width = kThumbnailSide;
    p.height = std::max(kThumbnailSide * height / width, kThumbnailMinimumSide);
  } else {
    p.height = kThumbnailSide;
    p.width = std::max(kThumbnailSide * width / height, kThumbnailMinimumSide);
  }
  p.left = imageBoxLeft + (kThumbnailSide - p.width) / 2;
  p.top = imageBoxTop + (kThumbnailSide - p.height) / 2;
  return p;
}

}  // namespace picker
