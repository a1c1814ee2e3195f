#include "slideshow/tick_scheduler.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <vector>

namespace slideshow {
namespace {

constexpr int64_t kMs = 1'000'000;

// A scheduler over a clock the test moves, with a log of every tick and the
// logical time it ran at.
struct Fixture {
  int64_t now = 0;
  TickScheduler scheduler{[this] { return now; }};
  struct Tick {
    SaverTimer timer;
    int64_t at;
    friend bool operator==(const Tick&, const Tick&) = default;
  };
  std::vector<Tick> ticks;
  std::function<void(SaverTimer)> onTick = [](SaverTimer) {};

  size_t RunAt(int64_t t) {
    now = t;
    return scheduler.RunDue(t, [this](SaverTimer timer) {
      ticks.push_back({timer, scheduler.LogicalNow()});
      onTick(timer);
    });
  }
  void Start(SaverTimer t, uint32_t ms) {
    scheduler.SetInterval(t, ms);
    scheduler.SetEnabled(t, true);
  }
};

TEST(TickScheduler, FollowsTheWindowTimerRules) {
  Fixture f;
  f.Start(SaverTimer::Timer1, 50);
  EXPECT_EQ(f.scheduler.NextDue(), 50 * kMs);
  f.now = 30 * kMs;
  f.scheduler.SetInterval(SaverTimer::Timer1, 50);  // the same value: the countdown goes on
  f.scheduler.SetEnabled(SaverTimer::Timer1, true);
  EXPECT_EQ(f.scheduler.NextDue(), 50 * kMs);
  f.scheduler.SetInterval(SaverTimer::Timer1, 20);  // a real change starts afresh
  EXPECT_EQ(f.scheduler.NextDue(), 50 * kMs);
  f.scheduler.SetEnabled(SaverTimer::Timer1, false);
  EXPECT_EQ(f.scheduler.NextDue(), std::nullopt);
  f.scheduler.SetEnabled(SaverTimer::Timer1, true);
  EXPECT_EQ(f.scheduler.NextDue(), 50 * kMs);  // 30 ms + 20 ms

  f.scheduler.SetInterval(SaverTimer::tmGamen, 0);  // on, but never fires
  f.scheduler.SetEnabled(SaverTimer::tmGamen, true);
  f.scheduler.SetInterval(SaverTimer::tmCom, 10);  // fires only when on
  EXPECT_EQ(f.RunAt(200 * kMs), 8u);  // Timer1 only: 50, 70, ... 190 ms
  for (const auto& t : f.ticks) EXPECT_EQ(t.timer, SaverTimer::Timer1);
}

TEST(TickScheduler, RunsMissedTicksInTimeOrderAtTheirLogicalTimes) {
  Fixture f;
  f.Start(SaverTimer::Timer1, 4);
  f.Start(SaverTimer::tmCom, 6);
  f.Start(SaverTimer::tmGamen, 12);
  f.RunAt(13 * kMs);
  using T = Fixture::Tick;
  const std::vector<T> expected{{SaverTimer::Timer1, 4 * kMs},  {SaverTimer::tmCom, 6 * kMs},
                                {SaverTimer::Timer1, 8 * kMs},  {SaverTimer::Timer1, 12 * kMs},
                                {SaverTimer::tmCom, 12 * kMs},  {SaverTimer::tmGamen, 12 * kMs}};
  EXPECT_EQ(f.ticks, expected);
  EXPECT_EQ(f.scheduler.NextDue(), 16 * kMs);
  EXPECT_EQ(f.scheduler.LogicalNow(), 13 * kMs);  // the clock again, outside a tick
}

// A bounce at the third caught-up tick sets a new tempo, and a switch later
// puts Timer1 back to 50 ms: a restart counts from the clock, as a window
// timer's does, so a handler that ran late (or blocked) leaves no burst.
TEST(TickScheduler, TimersRestartedWhileCatchingUpCountFromTheClock) {
  Fixture f;
  f.Start(SaverTimer::Timer1, 2);
  f.Start(SaverTimer::tmGamen, 60);
  int timer1Ticks = 0;
  f.onTick = [&](SaverTimer t) {
    if (t == SaverTimer::Timer1 && ++timer1Ticks == 3) {
      f.scheduler.SetEnabled(SaverTimer::Timer1, false);
      f.scheduler.SetInterval(SaverTimer::Timer1, 8);
      f.scheduler.SetEnabled(SaverTimer::Timer1, true);
    }
    if (t == SaverTimer::tmGamen) {
      f.scheduler.SetEnabled(SaverTimer::Timer1, false);
      f.scheduler.SetInterval(SaverTimer::Timer1, 50);
      f.scheduler.SetEnabled(SaverTimer::Timer1, true);
    }
  };
  f.RunAt(115 * kMs);  // one late wake: the bounce at 6 ms restarts Timer1 at 115 ms
  f.RunAt(140 * kMs);  // the switch at 120 ms restarts it at 140 ms
  std::vector<int64_t> ticks;
  for (const auto& t : f.ticks) ticks.push_back(t.at / kMs);
  EXPECT_EQ(ticks, (std::vector<int64_t>{2, 4, 6, 60, 120}));
  EXPECT_EQ(f.scheduler.NextDue(), 180 * kMs);
}

TEST(TickScheduler, AfterASleepReplaysAtMostTheCatchUpLimitAndKeepsThePhase) {
  Fixture f;
  f.Start(SaverTimer::Timer1, 2);
  f.Start(SaverTimer::tmGamen, 5000);
  const int64_t wake = 10LL * 60 * 1000 * kMs + kMs;  // ten minutes and 1 ms
  f.RunAt(wake);
  size_t timer1 = 0;
  for (const auto& t : f.ticks) timer1 += t.timer == SaverTimer::Timer1;
  EXPECT_EQ(timer1, size_t(TickScheduler::kMaxCatchUpNs / (2 * kMs)));
  EXPECT_GE(f.ticks.front().at, wake - TickScheduler::kMaxCatchUpNs);
  for (const auto& t : f.ticks) EXPECT_EQ(t.at % (2 * kMs), 0) << t.at;  // still on the 2 ms grid
  EXPECT_EQ(f.scheduler.NextDue(), wake + kMs);
}

// After a stall longer than the catch-up limit, a timer whose ticks all lie
// further back still runs once, late: a switch is late, never lost.
TEST(TickScheduler, AStallKeepsOneLateTickOfEveryTimer) {
  Fixture f;
  f.Start(SaverTimer::Timer1, 50);
  f.Start(SaverTimer::tmGamen, 5000);
  f.RunAt(4990 * kMs);
  f.ticks.clear();
  f.RunAt(5300 * kMs);  // stalled from 4990 to 5300 ms
  using T = Fixture::Tick;
  EXPECT_EQ(f.ticks, (std::vector<T>{{SaverTimer::tmGamen, 5000 * kMs}, {SaverTimer::Timer1, 5050 * kMs},
                                     {SaverTimer::Timer1, 5100 * kMs}, {SaverTimer::Timer1, 5150 * kMs},
                                     {SaverTimer::Timer1, 5200 * kMs}, {SaverTimer::Timer1, 5250 * kMs},
                                     {SaverTimer::Timer1, 5300 * kMs}}));
  f.ticks.clear();
  f.RunAt(10'000 * kMs);
  EXPECT_EQ(f.ticks.back(), (T{SaverTimer::tmGamen, 10'000 * kMs})) << "the next switch keeps the 5 s grid";
}

TEST(TickScheduler, AHandlerThatThrowsLeavesTheScheduleMovedPastItsTick) {
  Fixture f;
  f.Start(SaverTimer::Timer1, 10);
  f.onTick = [](SaverTimer) { throw std::runtime_error("handler"); };
  EXPECT_THROW(f.RunAt(35 * kMs), std::runtime_error);
  EXPECT_EQ(f.scheduler.NextDue(), 20 * kMs);
  EXPECT_EQ(f.scheduler.LogicalNow(), 35 * kMs);
  f.onTick = [](SaverTimer) {};
  EXPECT_EQ(f.RunAt(35 * kMs), 2u);
}

// Ten seconds of simulated time in which the loop wakes late by up to 1.5 ms
// and, now and then, stalls for 40 ms; every interval of a bounce tempo, and
// the 50 ms of a switch, must keep its nominal rate.
class TickRate : public ::testing::TestWithParam<uint32_t> {};

TEST_P(TickRate, AverageRateIsTheNominalOneDespiteLateWakes) {
  const uint32_t interval = GetParam();
  Fixture f;
  f.Start(SaverTimer::Timer1, interval);
  f.Start(SaverTimer::tmCom, 200);
  std::mt19937 random(interval);
  std::uniform_int_distribution<int64_t> late(0, 1'500'000);
  std::uniform_int_distribution<int> stall(0, 99);
  const int64_t end = 10'000 * kMs;
  while (true) {
    const int64_t wake = *f.scheduler.NextDue() + late(random) + (stall(random) == 0 ? 40 * kMs : 0);
    if (wake > end) break;
    f.RunAt(wake);
  }
  size_t timer1 = 0;
  for (const auto& t : f.ticks) timer1 += t.timer == SaverTimer::Timer1;
  const double perSecond = double(timer1) / 10.0;
  const double nominal = 1000.0 / interval;
  EXPECT_NEAR(perSecond, nominal, nominal * 0.02) << interval << " ms";
}

INSTANTIATE_TEST_SUITE_P(BounceTemposAndSwitch, TickRate, ::testing::Values(2, 4, 8, 12, 16, 20, 50));

}  // namespace
}  // namespace slideshow
