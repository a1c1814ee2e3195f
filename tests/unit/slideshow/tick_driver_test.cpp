#include "slideshow/tick_driver.h"

#include <gtest/gtest.h>

#include "fake_saver_host.h"

namespace slideshow {
namespace {

constexpr int64_t kMs = 1'000'000;

TEST(PresentPacer, RefreshPeriodFromTheDisplaysRate) {
  EXPECT_EQ(PresentPacer::RefreshPeriodNs(60), 16'666'666);
  EXPECT_EQ(PresentPacer::RefreshPeriodNs(144), 6'944'444);
  for (int32_t placeholder : {0, 1, -5, 100000}) EXPECT_EQ(PresentPacer::RefreshPeriodNs(placeholder), PresentPacer::kDefaultRefreshNs);
}

// The fake window with the scheduler's timers on a clock the test sets.
struct ScheduledHost : testing::FakeSaverHost {
  int64_t now = 0;
  TickScheduler scheduler{[this] { return now; }};
  void SetTimerInterval(SaverTimer t, uint32_t ms) override { scheduler.SetInterval(t, ms); }
  void SetTimerEnabled(SaverTimer t, bool on) override { scheduler.SetEnabled(t, on); }
};

class TickDriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.screen = {64, 48};
    show.FormCreate();
    show.FormPaint();  // the folder is empty: the sample strip floats
  }
  void StepAt(int64_t t) {
    host.now = t;
    driver.Step();
  }
  ScheduledHost host;
  testing::TestBuffer buffer{{64, 48}};
  FrameCounters counters;
  SaverShow show{host, counters, {buffer.view, testing::SampleStrip(), false, {}}};
  PresentPacer pacer{20 * kMs};
  TickDriver driver{show, host.scheduler, pacer};
};

TEST_F(TickDriverTest, PresentsTheLatestFrameAtMostOncePerRefresh) {
  EXPECT_EQ(driver.NextWake(), 50 * kMs);  // the paint showed everything: only the tick is pending
  StepAt(50 * kMs);
  EXPECT_EQ(host.presents.size(), 1u);
  EXPECT_EQ(show.Motion().posX, 2);
  // Timer1 at 2 ms from here on, as after a bounce.
  host.scheduler.SetInterval(SaverTimer::Timer1, 2);
  StepAt(60 * kMs);  // five ticks, no present: the refresh is not over
  EXPECT_EQ(show.Motion().posX, 12);
  EXPECT_EQ(host.presents.size(), 1u);
  EXPECT_EQ(driver.NextWake(), 70 * kMs) << "the ticks before the slot wait for it";
  StepAt(70 * kMs);
  EXPECT_EQ(host.presents.size(), 2u);
  EXPECT_EQ(show.Motion().posX, 20);
  const MotionState& m = show.Motion();
  EXPECT_NE(buffer.pixels[size_t(m.posY) * 64 + size_t(m.posX)], 0u);  // a frame of the sample where it stands now
  EXPECT_EQ(buffer.pixels[size_t(m.posY) * 64 + size_t(m.posX) - 1], 0u);
}

TEST_F(TickDriverTest, WakesAtThePresentSlotWhileAFrameWaitsAndNotAtAllWhenIdle) {
  StepAt(50 * kMs);
  host.scheduler.SetInterval(SaverTimer::Timer1, 2);  // next tick at 52 ms
  host.scheduler.SetInterval(SaverTimer::tmCom, 0);
  host.scheduler.SetInterval(SaverTimer::tmGamen, 0);
  StepAt(52 * kMs);
  host.scheduler.SetEnabled(SaverTimer::Timer1, false);
  EXPECT_EQ(driver.NextWake(), 70 * kMs);  // only the frame of 52 ms is left to show
  StepAt(70 * kMs);
  EXPECT_EQ(host.presents.size(), 2u);
  EXPECT_EQ(driver.NextWake(), std::nullopt);
}

TEST_F(TickDriverTest, OneWakePerRefreshAtFastTemposAndOnePerTickAtSlowOnes) {
  host.scheduler.SetInterval(SaverTimer::tmCom, 0);
  host.scheduler.SetInterval(SaverTimer::tmGamen, 0);
  StepAt(50 * kMs);  // presented: the next tick is 50 ms away, well after the slot
  EXPECT_EQ(driver.NextWake(), 100 * kMs);
  host.scheduler.SetInterval(SaverTimer::Timer1, 2);  // restarted: due at 52 ms
  EXPECT_EQ(driver.NextWake(), 70 * kMs) << "nothing pending, but no present before 70 ms";
  StepAt(70 * kMs);  // the ticks of 52 to 70 ms (one bounces off the bottom), then the frame
  EXPECT_EQ(show.Motion().posX, 20);
  EXPECT_EQ(host.presents.size(), 2u);
  EXPECT_EQ(driver.NextWake(), 90 * kMs);
}

}  // namespace
}  // namespace slideshow
