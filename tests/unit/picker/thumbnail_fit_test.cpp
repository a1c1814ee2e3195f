// Fitting into the 168 x 168 square whose corner is the image box's designed
// place (12, 289).
#include <gtest/gtest.h>

#include "picker/thumbnail_fit.h"

namespace picker {
namespace {

struct FitCase {
  int32_t width, height;
  int32_t right, below, shownWidth, shownHeight;  // offsets from the corner
};

class ThumbnailFitTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(ThumbnailFitTest, PlacesTheBoxRelativeToTheSquare) {
  const FitCase c = GetParam();
  const ThumbnailPlacement p = FitThumbnail(c.width, c.height, 12, 289);
  EXPECT_EQ(p.left - 12, c.right);
  EXPECT_EQ(p.top - 289, c.below);
  EXPECT_EQ(p.width, c.shownWidth);
  EXPECT_EQ(p.height, c.shownHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ThumbnailFitTest,
    ::testing::Values(FitCase{100, 50, 34, 59, 100, 50},     // small: never enlarged
                      FitCase{400, 100, 0, 63, 168, 42},     // a strip, shown whole
                      FitCase{5000, 40, 0, 81, 168, 5},      // 168*40/5000 = 1, raised to 5
                      FitCase{40, 5000, 81, 0, 5, 168},
                      FitCase{200, 300, 28, 0, 112, 168},
                      FitCase{300, 300, 0, 0, 168, 168},     // a 300 x 300 bitmap
                      FitCase{150, 150, 9, 9, 150, 150},     // a 300 x 300 JPEG at half scale
                      FitCase{169, 169, 0, 0, 168, 168},     // a 337 x 337 JPEG at half scale
                      FitCase{168, 168, 0, 0, 168, 168},
                      FitCase{169, 1, 0, 81, 168, 5},
                      FitCase{128, 32, 20, 68, 128, 32}));   // the fallback picture

}  // namespace
}  // namespace picker
