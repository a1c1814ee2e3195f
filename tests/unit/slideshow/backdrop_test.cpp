#include "slideshow/backdrop.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace slideshow {
namespace {

struct GeometryCase {
  Size picture;
  Size screen;
  BackdropGeometry expected;
};

class BackdropPlan : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(BackdropPlan, CoversTheScreenWithTheCentreOfThePicture) {
  EXPECT_EQ(PlanBackdrop(GetParam().picture, GetParam().screen), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, BackdropPlan,
    ::testing::Values(
        // A landscape photo on a landscape screen: the screen is wider, so the
        // photo's middle band covers it.
        GeometryCase{{4000, 3000}, {1920, 1080}, {{0, 375, 4000, 2625}, {200, 112}, 6}},
        // A portrait photo on a landscape screen: a short band from its middle.
        GeometryCase{{3000, 4000}, {1920, 1080}, {{0, 1156, 3000, 2843}, {200, 112}, 6}},
        // On a portrait screen the photos give their middle columns.
        GeometryCase{{4000, 3000}, {1080, 1920}, {{1156, 0, 2843, 3000}, {200, 355}, 6}},
        GeometryCase{{3000, 4000}, {1080, 1920}, {{375, 0, 2625, 4000}, {200, 355}, 6}},
        // The screen's own shape: all of it; at 4K the backdrop is no larger.
        GeometryCase{{1920, 1080}, {3840, 2160}, {{0, 0, 1920, 1080}, {200, 112}, 6}},
        // The preview's small screen: the backdrop at the screen's own size.
        GeometryCase{{800, 600}, {152, 112}, {{0, 5, 800, 594}, {152, 112}, 5}},
        // Nothing to speak of: one pixel everywhere.
        GeometryCase{{0, 0}, {0, 0}, {{0, 0, 1, 1}, {1, 1}, 1}}));

codecs::Image Filled(int32_t width, int32_t height, uint32_t colour) {
  codecs::Image image(width, height);
  std::fill(image.pixels.begin(), image.pixels.end(), colour);
  return image;
}

TEST(MakeBackdrop, DarkensAFlatPictureToHalfEverywhereEdgesIncluded) {
  const codecs::Image backdrop = MakeBackdrop(Filled(640, 480, codecs::Rgb(0xC0, 0x80, 0x40)), {1920, 1080});
  ASSERT_EQ(backdrop.width, 200);
  ASSERT_EQ(backdrop.height, 112);
  for (uint32_t pixel : backdrop.pixels) ASSERT_EQ(pixel, codecs::Rgb(0x60, 0x40, 0x20));
}

TEST(MakeBackdrop, SpreadsAnEdgeOverAboutThreePercentOfTheScreenEachSide) {
  // White on the left half, black on the right, of the screen's shape.
  codecs::Image picture = Filled(1920, 1080, 0);
  for (int32_t y = 0; y < picture.height; ++y) std::fill_n(picture.row(y), 960, codecs::Rgb(255, 255, 255));
  const codecs::Image backdrop = MakeBackdrop(picture, {1920, 1080});
  const uint32_t* row = backdrop.row(backdrop.height / 2);
  auto level = [&](int32_t x) { return int(row[x] & 0xFF); };
  EXPECT_NEAR(level(0), 128, 1) << "white at half";
  EXPECT_EQ(level(199), 0);
  EXPECT_NEAR(level(99) + level(100), 128, 2) << "the edge stays where it was";
  for (int32_t x = 1; x < 200; ++x) ASSERT_LE(level(x), level(x - 1)) << x;
  // The blur's radius is 6 of the backdrop's 200 pixels (3 %): a radius away
  // from the edge the level is still well between the two, three radii away
  // it has all but settled.
  EXPECT_GT(level(100 - 6), 90);
  EXPECT_LT(level(100 - 6), 125);
  EXPECT_GT(level(100 + 5), 3);
  EXPECT_LT(level(100 + 5), 38);
  EXPECT_GE(level(100 - 18), 126);
  EXPECT_LE(level(100 + 17), 2);
  for (int32_t y = 0; y < backdrop.height; ++y) {
    for (int32_t x = 0; x < backdrop.width; ++x) {
      const uint32_t p = backdrop.row(y)[x];
      ASSERT_EQ(p, row[x]) << "every row alike, at " << x << "," << y;
      ASSERT_EQ(p, (p & 0xFF) * 0x010101u) << "grey stays grey";
    }
  }
}

TEST(MakeBackdrop, OfAPictureInAViewIsThatOfThePictureAlone) {
  codecs::Image larger(700, 500), picture(400, 300);
  for (int32_t y = 0; y < larger.height; ++y)
    for (int32_t x = 0; x < larger.width; ++x)
      larger.row(y)[x] = codecs::Rgb(uint8_t(x * 5 + y), uint8_t(x ^ y), uint8_t(y * 3));
  const Rect part{150, 120, 550, 420};
  for (int32_t y = 0; y < picture.height; ++y) std::copy_n(larger.row(part.top + y) + part.left, 400, picture.row(y));
  const PixelView view = PixelView{larger.pixels.data(), larger.width, larger.height, larger.width}.Part(part);
  EXPECT_EQ(MakeBackdrop(view, {1920, 1080}).pixels, MakeBackdrop(picture, {1920, 1080}).pixels);
}

TEST(MakeBackdrop, AnEmptyPictureGivesBlack) {
  const codecs::Image backdrop = MakeBackdrop(codecs::Image(), {1920, 1080});
  EXPECT_EQ(backdrop.width, 200);
  for (uint32_t pixel : backdrop.pixels) ASSERT_EQ(pixel, 0u);
}

}  // namespace
}  // namespace slideshow
