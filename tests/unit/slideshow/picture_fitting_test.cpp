#include "slideshow/picture_fitting.h"

#include <gtest/gtest.h>

namespace slideshow {
namespace {

constexpr Size kScreen{1024, 768};

Size Floating(int32_t w, int32_t h) { return FitPicture(w, h, kScreen, true); }
Size Still(int32_t w, int32_t h) { return FitPicture(w, h, kScreen, false); }

TEST(FitPicture, FloatingPicturesAreLimitedToTwoThirdsOfTheScreen) {
  EXPECT_EQ(Floating(800, 600), (Size{682, 511}));
  EXPECT_EQ(Floating(600, 900), (Size{340, 512}));
  EXPECT_EQ(Floating(682, 500), (Size{682, 500}));
}

TEST(FitPicture, StandingPicturesAreLimitedToTheScreenLessTenPixels) {
  EXPECT_EQ(Still(800, 600), (Size{800, 600}));
  // 760 lies above 768 - 10 but not above 768 - 5: the tenths loop stays off.
  EXPECT_EQ(Still(1600, 1200), (Size{1014, 760}));
  EXPECT_EQ(Still(600, 900), (Size{504, 758}));
}

TEST(FitPicture, TenthsLoopRunsUntilBothSidesAreTenPixelsInside) {
  // The first limit leaves it; 900 > 763 starts the loop: 900 x 810, 810 x 729.
  EXPECT_EQ(Still(1000, 900), (Size{810, 729}));
}

TEST(FitPicture, NeverEnlarges) {
  EXPECT_EQ(Floating(100, 100), (Size{100, 100}));
  EXPECT_EQ(Still(1, 1), (Size{1, 1}));
}

TEST(FitPicture, StripsKeepTheirSizeEvenWhenHigherThanTheScreen) {
  EXPECT_EQ(Floating(320, 80), (Size{320, 80}));
  EXPECT_EQ(Still(4000, 1000), (Size{4000, 1000}));
  EXPECT_EQ(Floating(128, 32), (Size{128, 32}));
}

TEST(FitPicture, AnExtremelyWidePictureThatIsNoStripFitsToZeroHeight) {
  // aspect 1666666; 682 * 1000 / 1666666 = 0
  EXPECT_EQ(Floating(5000, 3), (Size{682, 0}));
}

TEST(FitPicture, AVeryTallNarrowPictureEndsWithoutDividingByZero) {
  // aspect 0: the width becomes 0 and the loop cannot change the height.
  EXPECT_EQ(Still(1, 2000), (Size{0, 758}));
  EXPECT_EQ(FitPicture(1, 2000, {5, 5}, false).width, 0);  // a screen the loop cannot satisfy
}

TEST(IsAnimationStrip, NeedsAnIntegerMultipleOfAtLeastFour) {
  EXPECT_TRUE(IsAnimationStrip(320, 80));
  EXPECT_FALSE(IsAnimationStrip(330, 80));
  EXPECT_FALSE(IsAnimationStrip(240, 80));
  EXPECT_FALSE(IsAnimationStrip(10, 0));
}

TEST(FrameGeometryOf, PlainPictureShowsItselfWhole) {
  const auto g = FrameGeometryOf({682, 511});
  ASSERT_TRUE(g);
  EXPECT_TRUE(g->plainPicture);
  EXPECT_EQ(g->frameCount, 1.0);
  EXPECT_EQ(g->frameSide, 511);
  EXPECT_EQ(g->sourceRect, (Rect{0, 0, 682, 511}));
}

TEST(FrameGeometryOf, StripShowsItsFirstFrame) {
  const auto g = FrameGeometryOf({320, 80});
  ASSERT_TRUE(g);
  EXPECT_FALSE(g->plainPicture);
  EXPECT_EQ(g->frameCount, 4.0);
  EXPECT_EQ(g->sourceRect, (Rect{0, 0, 80, 80}));
}

TEST(FrameGeometryOf, NearStripsArePlainAndTheFrameCountIsTheIntegerQuotient) {
  const auto wide = FrameGeometryOf({330, 80});
  EXPECT_TRUE(wide->plainPicture);
  EXPECT_EQ(wide->frameCount, 4.0);
  EXPECT_TRUE(FrameGeometryOf({240, 80})->plainPicture);
}

TEST(FrameGeometryOf, ZeroHeightHasNoGeometry) { EXPECT_FALSE(FrameGeometryOf({682, 0})); }

}  // namespace
}  // namespace slideshow
