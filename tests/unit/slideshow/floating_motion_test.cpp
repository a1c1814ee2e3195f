#include "slideshow/floating_motion.h"

#include <gtest/gtest.h>

#include <set>

namespace slideshow {
namespace {

constexpr Size kScreen{1024, 768};

struct Float {
  MotionState m;
  int bounces = 0;
  void Tick(Size picture, Size buffer = kScreen) {
    FloatStep(m, picture, buffer, [this] { ++bounces; });
  }
};

TEST(FloatStep, FirstBounceOfA682x511PictureIsVerticalAtTick129) {
  Float f;
  int tick = 0;
  while (f.bounces == 0) {
    f.Tick({682, 511});
    ++tick;
  }
  EXPECT_EQ(tick, 129);
  EXPECT_EQ(f.m.posY, 256);  // 258 mirrored: 2 * 768 - 2 * 511 - 258
  EXPECT_EQ(f.m.dirY, -1);
  EXPECT_EQ(f.m.posX, 258);
  EXPECT_EQ(f.m.dirX, +1);
  EXPECT_EQ(f.m.destRect, (Rect{258, 256, 940, 767}));
  // The first horizontal bounce comes when posX first exceeds 342.
  while (f.m.dirX == +1) f.Tick({682, 511});
  EXPECT_EQ(f.m.posX, 340);
}

TEST(FloatStep, LeftEdgeMirrorsBackInside) {
  Float f;
  f.m.posX = 1;
  f.m.dirX = -1;
  f.m.posY = 100;
  f.Tick({32, 32});
  EXPECT_EQ(f.m.posX, 1);
  EXPECT_EQ(f.m.dirX, +1);
  EXPECT_EQ(f.bounces, 1);
}

TEST(FloatStep, SamplePictureBouncesPast992And736) {
  Float f;
  f.m.posX = 990;
  f.m.posY = 100;
  f.Tick({32, 32});  // 992: not yet
  EXPECT_EQ(f.bounces, 0);
  f.Tick({32, 32});  // 994 > 992
  EXPECT_EQ(f.bounces, 1);
  EXPECT_EQ(f.m.posX, 990);
}

TEST(FloatStep, CornerBouncesTwiceHorizontalFirst) {
  Float f;
  f.m.posX = 992;
  f.m.posY = 736;
  std::vector<int> order;
  FloatStep(f.m, {32, 32}, kScreen, [&] { order.push_back(f.m.dirX * 10 + f.m.dirY); });
  // The callback runs before each axis turns: first with both +1, then with x turned.
  EXPECT_EQ(order, (std::vector<int>{11, -9}));
  EXPECT_EQ(f.m.posX, 990);
  EXPECT_EQ(f.m.posY, 734);
}

// A larger picture that still fits, after a switch, far past the right edge:
// mirrored exactly by the formula, it comes back over two bounces.
TEST(FloatStep, LargerPictureAfterASwitchIsMirroredExactly) {
  Float f;
  f.m.posX = 900;
  f.m.posY = 10;
  f.Tick({682, 511});
  EXPECT_EQ(f.m.dirX, -1);
  EXPECT_EQ(f.m.posX, 2 * 1024 - 2 * 682 - 902);
  f.Tick({682, 511});
  EXPECT_EQ(f.m.dirX, 1);
  EXPECT_EQ(f.m.posX, 220);
}

// With no more than a step to spare, mirroring would swing wider at every
// bounce; such a picture stays inside its range.
TEST(FloatStep, PictureFittingWithinAStepStaysBounded) {
  for (int32_t spare : {0, 1, 2}) {
    Float f;
    for (int t = 0; t < 1000; ++t) {
      f.Tick({1024 - spare, 768 - spare});
      ASSERT_GE(f.m.posX, 0) << spare;
      ASSERT_LE(f.m.posX, spare) << spare;
      ASSERT_LE(f.m.posY, spare) << spare;
    }
  }
}

TEST(FloatStep, StripLargerThanTheScreenPansAndStaysBounded) {
  // 4000 x 1000 strip: frames of 1000 x 1000 on a 1024 x 768 screen.
  Float f;
  std::set<int> bounceTicks;
  for (int t = 0; t < 2000; ++t) {
    const int before = f.bounces;
    f.Tick({1000, 1000});
    if (f.bounces != before) bounceTicks.insert(t);
    ASSERT_GE(f.m.posY, 768 - 1000);
    ASSERT_LE(f.m.posY, 0);
    ASSERT_GE(f.m.posX, 0);
    ASSERT_LE(f.m.posX, 24);
  }
  // It travels 232 pixels up and down: bounces far apart, not on every tick.
  EXPECT_LT(bounceTicks.size(), 2000u / 4);
}

TEST(FloatStep, PictureExactlyTheScreenSizeStaysPut) {
  Float f;
  for (int t = 0; t < 100; ++t) f.Tick({1024, 768});
  EXPECT_EQ(f.m.posX, 0);
  EXPECT_EQ(f.m.posY, 0);
}

TEST(CentreStep, CentresAndPutsOversizeAtTheTop) {
  MotionState m;
  CentreStep(m, {800, 600}, kScreen);
  EXPECT_EQ(m.destRect, (Rect{112, 84, 912, 684}));
  CentreStep(m, {1000, 1000}, kScreen);
  EXPECT_EQ(m.destRect, (Rect{12, 0, 1012, 1000}));
  CentreStep(m, {33, 33}, {100, 100});
  EXPECT_EQ(m.posX, 33);  // 67 / 2 drops the remainder
}

TEST(TempoAt, EachDrawMapsToTheTableAndOneSecondAlwaysDrawsTheSame) {
  std::set<uint32_t> intervals;
  for (int64_t s = 1'700'000'000; s < 1'700'000'200; ++s) {
    const Tempo t = TempoAt(s);
    EXPECT_EQ(t, TempoAt(s));
    intervals.insert(t.timerInterval);
    if (t.timerInterval == 2) EXPECT_EQ(t.framePeriod, 1);
    else EXPECT_EQ(t.timerInterval, uint32_t(4 * t.framePeriod));
  }
  EXPECT_EQ(intervals, (std::set<uint32_t>{2, 4, 8, 12, 16, 20}));
}

}  // namespace
}  // namespace slideshow
