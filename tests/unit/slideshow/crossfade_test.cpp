#include "slideshow/crossfade.h"

#include <gtest/gtest.h>

namespace slideshow {
namespace {

constexpr int64_t kMs = 1'000'000;

TEST(CrossfadeDurationNs, OneSecondOrAThirdOfTheIntervalWhenShorter) {
  const struct {
    int32_t switchSeconds;
    int64_t duration;
  } cases[] = {{0, 0}, {-4, 0}, {1, 333'333'333}, {2, 666'666'666}, {3, 1000 * kMs}, {5, 1000 * kMs}, {100, 1000 * kMs}};
  for (const auto& c : cases) EXPECT_EQ(CrossfadeDurationNs(c.switchSeconds), c.duration) << c.switchSeconds << " s";
}

TEST(CrossfadeOpacity, EasesInAndOutAndEndsExactlyOnTheNewPicture) {
  const struct {
    int64_t elapsed;
    double opacity;
  } cases[] = {{-5 * kMs, 0},     {0, 0},           {100 * kMs, 0.028}, {250 * kMs, 0.15625}, {500 * kMs, 0.5},
               {750 * kMs, 0.84375}, {900 * kMs, 0.972}, {1000 * kMs, 1},  {1500 * kMs, 1}};
  for (const auto& c : cases) EXPECT_NEAR(CrossfadeOpacity(c.elapsed, 1000 * kMs), c.opacity, 1e-12) << c.elapsed;
  EXPECT_EQ(CrossfadeOpacity(1000 * kMs, 1000 * kMs), 1.0);  // exactly, not nearly
  EXPECT_EQ(CrossfadeOpacity(0, 0), 1.0);
}

TEST(CrossfadeOpacity, NeverFallsBack) {
  double last = 0;
  for (int64_t t = 0; t <= 400 * kMs; t += kMs) {
    const double now = CrossfadeOpacity(t, 333 * kMs);
    ASSERT_GE(now, last) << t;
    last = now;
  }
  EXPECT_EQ(last, 1.0);
}

}  // namespace
}  // namespace slideshow
