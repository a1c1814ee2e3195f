#include "slideshow/animation_strip.h"

#include <gtest/gtest.h>

#include <vector>

namespace slideshow {
namespace {

// Runs ticks and records the frame index after each frame step.
struct Strip {
  FrameCounters counters;
  AnimationState animation;
  double frameCount = 4;
  int32_t frameSide = 32;
  Rect sourceRect{0, 0, 32, 32};

  std::vector<int32_t> Steps(int n) {
    std::vector<int32_t> shown;
    while (int(shown.size()) < n) {
      StepFrame(counters, animation, frameCount, frameSide, sourceRect);
      if (counters.frameTick == 0) shown.push_back(sourceRect.left / frameSide);
    }
    return shown;
  }
};

TEST(StepFrame, SampleStripStepsEveryTwentyFirstTickAndWraps) {
  Strip s;
  int ticks = 0;
  std::vector<int32_t> frames;
  while (frames.size() < 5) {
    StepFrame(s.counters, s.animation, s.frameCount, s.frameSide, s.sourceRect);
    ++ticks;
    if (s.counters.frameTick == 0) {
      EXPECT_EQ(ticks % 21, 0);
      frames.push_back(s.sourceRect.left / 32);
    }
  }
  EXPECT_EQ(frames, (std::vector<int32_t>{1, 2, 3, 0, 1}));
  EXPECT_EQ(s.sourceRect, (Rect{32, 0, 64, 32}));
}

TEST(StepFrame, FramePeriodOneStepsOnEverySecondTick) {
  Strip s;
  s.animation.framePeriod = 1;
  std::vector<int32_t> ticks;
  for (int t = 1; t <= 6; ++t) {
    StepFrame(s.counters, s.animation, s.frameCount, s.frameSide, s.sourceRect);
    if (s.counters.frameTick == 0) ticks.push_back(t);
  }
  EXPECT_EQ(ticks, (std::vector<int32_t>{2, 4, 6}));
}

TEST(StepFrame, ReversedAtFrameTwoRunsBackwardAndWrapsToTheLast) {
  Strip s;
  s.animation.framePeriod = 0;
  s.counters.frameIndex = 2;
  s.animation.animForward = false;
  EXPECT_EQ(s.Steps(4), (std::vector<int32_t>{1, 0, 3, 2}));
}

TEST(StepFrame, BackwardFromALongerStripDrawsOutsideThenWrapsIntoTheShortOne) {
  Strip s;
  s.animation.framePeriod = 0;
  s.animation.animForward = false;
  s.counters.frameIndex = 9;  // of a 10-frame strip; now a 4-frame strip loads
  EXPECT_EQ(s.Steps(9), (std::vector<int32_t>{8, 7, 6, 5, 4, 3, 2, 1, 0}));
  EXPECT_EQ(s.Steps(1), (std::vector<int32_t>{3}));
}

TEST(StepFrame, ForwardPastAShorterStripGoesToFrameZero) {
  Strip s;
  s.animation.framePeriod = 0;
  s.counters.frameIndex = 9;
  EXPECT_EQ(s.Steps(2), (std::vector<int32_t>{0, 1}));
}

TEST(StepFrame, CountersCarryOverAndATickMidPeriodKeepsTheFrame) {
  Strip s;
  s.counters.frameTick = 19;
  s.counters.frameIndex = 1;
  StepFrame(s.counters, s.animation, s.frameCount, s.frameSide, s.sourceRect);
  EXPECT_EQ(s.counters.frameTick, 20);
  EXPECT_EQ(s.sourceRect, (Rect{0, 0, 32, 32}));  // still what the load set
  StepFrame(s.counters, s.animation, s.frameCount, s.frameSide, s.sourceRect);
  EXPECT_EQ(s.counters.frameIndex, 2);
  EXPECT_EQ(s.sourceRect, (Rect{64, 0, 96, 32}));
}

}  // namespace
}  // namespace slideshow
