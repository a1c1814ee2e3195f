// Logical ticks per second at every tempo the saver uses, through the real
// loop pieces (Application::PumpOnce, HighResolutionWait) on the tick clock.
// Reports the rate, how late ticks ran and how many wakes there were; fails
// only when the rate is more than 20 % off, which no scheduling jitter can
// explain.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "platform/application_win.h"
#include "platform/high_resolution_wait_win.h"
#include "slideshow/tick_scheduler.h"
#include "tests/wine/timing/loop_runner.h"
#include "tests/wine/timing/timing_options.h"

namespace timing_test {
namespace {

using slideshow::SaverTimer;

// Timer1 alone at a fixed interval, counting its ticks.
class CountingClockwork : public platform::LoopClockwork {
 public:
  explicit CountingClockwork(uint32_t intervalMs) {
    scheduler_.SetInterval(SaverTimer::Timer1, intervalMs);
    scheduler_.SetEnabled(SaverTimer::Timer1, true);
  }
  void Step() override {
    ++wakes;
    lastStepNs = NowNs();
    ticks += scheduler_.RunDue(lastStepNs, [this](SaverTimer) {
      const int64_t late = NowNs() - scheduler_.LogicalNow();
      lateSumNs += late;
      lateMaxNs = std::max(lateMaxNs, late);
    });
  }
  std::optional<int64_t> NextWake() const override { return scheduler_.NextDue(); }

  int64_t ticks = 0, wakes = 0, lateSumNs = 0, lateMaxNs = 0, lastStepNs = 0;

 private:
  slideshow::TickScheduler scheduler_{[] { return NowNs(); }};
};

const char* KindName(platform::HighResolutionWait::Kind kind) {
  switch (kind) {
    case platform::HighResolutionWait::Kind::HighResolutionTimer:
      return "high-resolution waitable timer";
    case platform::HighResolutionWait::Kind::WaitableTimer:
      return "waitable timer, 1 ms system timer";
    case platform::HighResolutionWait::Kind::MessageTimeout:
      break;
  }
  return "message-wait timeout, 1 ms system timer";
}

TEST(TickRate, EveryTempoFiresAtItsNominalRate) {
  std::printf("wait: %s; %d s per interval\n", KindName(platform::HighResolutionWait().kind()),
              secondsPerInterval);
  auto& application = platform::Application::Instance();
  for (const uint32_t intervalMs : {2u, 4u, 8u, 12u, 16u, 20u, 50u}) {
    CountingClockwork clockwork(intervalMs);
    const int64_t start = NowNs();
    application.SetClockwork(&clockwork);
    RunLoopUntil(start + int64_t(secondsPerInterval) * 1'000'000'000);
    application.SetClockwork(nullptr);
    const double seconds = double(clockwork.lastStepNs - start) / 1e9;
    const double rate = double(clockwork.ticks) / seconds;
    const double nominal = 1000.0 / intervalMs;
    const double offPercent = 100.0 * (rate - nominal) / nominal;
    std::printf("interval %2u ms: %8.2f ticks/s (nominal %6.1f, %+6.2f %%), %6.2f wakes/s, "
                "late mean %.3f ms max %.3f ms\n",
                intervalMs, rate, nominal, offPercent, double(clockwork.wakes) / seconds,
                double(clockwork.lateSumNs) / double(std::max<int64_t>(1, clockwork.ticks)) / 1e6,
                double(clockwork.lateMaxNs) / 1e6);
    EXPECT_LT(std::abs(offPercent), 20.0) << "at " << intervalMs << " ms";
  }
}

}  // namespace
}  // namespace timing_test
