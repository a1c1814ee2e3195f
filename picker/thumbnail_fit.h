#pragma once
// Where and how large the preview box is for a picture of w x h pixels: the
// picture is reduced to fit the 168 x 168 square whose top-left corner is
// (imageBoxLeft, imageBoxTop), never enlarged, and centred on the shorter
// side. Integer arithmetic, divisions truncate.
#include <cstdint>

namespace picker {

inline constexpr int32_t kThumbnailSide = 168;
inline constexpr int32_t kThumbnailMinimumSide = 5;

struct ThumbnailPlacement {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
};

ThumbnailPlacement FitThumbnail(int32_t width, int32_t height, int32_t imageBoxLeft,
                                int32_t imageBoxTop);

}  // namespace picker
