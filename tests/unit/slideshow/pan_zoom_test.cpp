#include "slideshow/pan_zoom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace slideshow {
namespace {

constexpr int64_t kSecond = 1'000'000'000;

std::string Name(Size p, Size s) {
  return std::to_string(p.width) + "x" + std::to_string(p.height) + " on " + std::to_string(s.width) + "x" +
         std::to_string(s.height);
}

// Picture and screen shapes: whether the picture covers the screen, its
// scale at zoom 1.0, and the size it is kept at.
TEST(PanZoom, CoversWhenAtMostAFifthIsHiddenElseShowsWholeAtMostThreeTimesEnlarged) {
  const struct {
    Size picture, screen;
    bool covers;
    double scale;
    Size kept;
  } cases[] = {
      {{4000, 3000}, {1024, 768}, true, 0.256, {1229, 922}},         // 4:3 on 4:3: fills it
      {{6000, 4000}, {1920, 1080}, true, 0.32, {2304, 1536}},        // 3:2 on 16:9: a sixth hidden
      {{4000, 3000}, {1920, 1080}, false, 0.3, {1440, 1080}},        // 4:3 on 16:9: a quarter hidden
      {{3000, 4000}, {1920, 1080}, false, 0.225, {810, 1080}},       // portrait: whole in height
      {{2000, 2000}, {1920, 1080}, false, 0.45, {1080, 1080}},       // square
      {{1920, 1080}, {1920, 1080}, true, 1.0, {1920, 1080}},         // its own size: kept
      {{640, 480}, {1024, 768}, true, 1.6, {640, 480}},              // enlarged 1.6 times
      {{320, 240}, {1920, 1440}, true, 3.0, {320, 240}},             // would need 6 times: 3
      {{100, 300}, {1920, 1080}, false, 3.0, {100, 300}},            // small portrait: 3 times
      {{1080, 1920}, {1080, 1920}, true, 1.0, {1080, 1920}},         // portrait screen
      {{6000, 4000}, {1080, 1920}, false, 0.15, {1080, 720}},        // landscape on it
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PanZoomCovers(c.picture, c.screen), c.covers) << Name(c.picture, c.screen);
    EXPECT_NEAR(PanZoomScale(c.picture, c.screen), c.scale, 1e-9) << Name(c.picture, c.screen);
    EXPECT_EQ(PanZoomKeptSize(c.picture.width, c.picture.height, c.screen), c.kept) << Name(c.picture, c.screen);
  }
}

TEST(PanZoom, StripsAndEmptyPicturesKeepTheirSize) {
  EXPECT_EQ(PanZoomKeptSize(128, 32, {1920, 1080}), (Size{128, 32}));
  EXPECT_EQ(PanZoomKeptSize(4000, 1000, {1920, 1080}), (Size{4000, 1000}));
  EXPECT_EQ(PanZoomKeptSize(0, 10, {1920, 1080}), (Size{0, 10}));
}

// Over a picture's whole time on screen, for each shape: the zoom stays in
// 1.0 to 1.2 and comes near both, a covering picture always covers the
// screen, a fitted one always lies inside it, and the place moves on every
// frame without whole-pixel steps.
TEST(PanZoomPath, ZoomsBetweenOneAndOnePointTwoAndKeepsToItsShape) {
  const struct {
    Size picture, screen;
  } cases[] = {{{1229, 922}, {1024, 768}}, {{810, 1080}, {1920, 1080}}, {{320, 240}, {1920, 1440}}, {{2304, 1536}, {1920, 1080}}};
  for (const auto& c : cases) {
    double lowest = 2, highest = 0;
    bool fractional = false;
    RectF last{};
    for (uint64_t seed = 1; seed <= 20; ++seed) {
      const PanZoomPath path(seed, 40 * kSecond);
      for (int64_t t = 0; t <= 40 * kSecond; t += kSecond / 60) {
        const double zoom = path.PoseAt(t).zoom;
        lowest = std::min(lowest, zoom);
        highest = std::max(highest, zoom);
        const RectF r = path.PlaceAt(c.picture, c.screen, t);
        ASSERT_GE(zoom, 1.0);
        ASSERT_LE(zoom, 1.2);
        const bool wide = r.width() >= c.screen.width - 1e-6, high = r.height() >= c.screen.height - 1e-6;
        if (PanZoomCovers(c.picture, c.screen) && PanZoomScale(c.picture, c.screen) < 3) {
          ASSERT_TRUE(wide && high) << Name(c.picture, c.screen);
          ASSERT_LE(r.left, 1e-6);
          ASSERT_GE(r.right, c.screen.width - 1e-6);
        } else {
          ASSERT_GE(r.left, -1e-6) << Name(c.picture, c.screen);
          ASSERT_LE(r.bottom, c.screen.height + 1e-6) << Name(c.picture, c.screen);
        }
        ASSERT_LE(r.width(), c.picture.width * 3 * 1.2 + 1e-6);
        if (t > 0) ASSERT_NE(r, last) << "stands still at " << t;
        fractional = fractional || r.left != std::floor(r.left);
        last = r;
      }
    }
    EXPECT_LT(lowest, 1.02) << Name(c.picture, c.screen);
    EXPECT_GT(highest, 1.18) << Name(c.picture, c.screen);
    EXPECT_TRUE(fractional);
  }
}

// A move lasts at most 15 s, however long the picture stays; the moves join
// without a jump, and the same seed gives the same path.
TEST(PanZoomPath, MovesOfAtMostFifteenSecondsFollowOnWithoutAJump) {
  const struct {
    int64_t onScreen;
    int64_t move;
  } cases[] = {{6 * kSecond, 6 * kSecond}, {15 * kSecond, 15 * kSecond}, {16 * kSecond, 8 * kSecond},
               {101 * kSecond, 101 * kSecond / 7}, {0, 15 * kSecond}};
  for (const auto& c : cases) {
    const PanZoomPath path(7, c.onScreen), again(7, c.onScreen);
    for (int64_t end = c.move; end <= 3 * c.move; end += c.move) {
      const PanZoomPose before = path.PoseAt(end - 1), after = path.PoseAt(end);
      EXPECT_NEAR(before.zoom, after.zoom, 1e-6) << c.onScreen;
      EXPECT_NEAR(before.x, after.x, 1e-6) << c.onScreen;
      const PanZoomPose mid = path.PoseAt(end - c.move / 2);
      EXPECT_EQ(mid.zoom, again.PoseAt(end - c.move / 2).zoom);
      EXPECT_GT(std::fabs(mid.zoom - after.zoom) + std::fabs(mid.x - after.x) + std::fabs(mid.y - after.y), 1e-3);
    }
  }
}

}  // namespace
}  // namespace slideshow
