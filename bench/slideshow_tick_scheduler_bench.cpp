// Ten seconds of simulated time per run: Timer1 at each tempo a bounce can
// draw (and the 50 ms of a switch), tmCom at 200 ms, and a message loop that
// wakes up to 1.5 ms late after each due time and stalls for 40 ms on one wake
// in a hundred. The counters give logical ticks per second against the
// nominal 1000 / interval; the goal is within 2 %. The time per iteration is
// the scheduler's own cost for those ten seconds.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "slideshow/tick_scheduler.h"

namespace {

using slideshow::SaverTimer;
constexpr int64_t kMs = 1'000'000;

void BM_SimulatedTickRate(benchmark::State& state) {
  const uint32_t interval = uint32_t(state.range(0));
  double perSecond = 0;
  for (auto _ : state) {
    int64_t now = 0;
    slideshow::TickScheduler scheduler([&now] { return now; });
    scheduler.SetInterval(SaverTimer::Timer1, interval);
    scheduler.SetEnabled(SaverTimer::Timer1, true);
    scheduler.SetInterval(SaverTimer::tmCom, 200);
    scheduler.SetEnabled(SaverTimer::tmCom, true);
    std::mt19937 random(interval);
    std::uniform_int_distribution<int64_t> late(0, 1'500'000);
    std::uniform_int_distribution<int> stall(0, 99);
    int64_t timer1 = 0;
    for (;;) {
      const int64_t wake = *scheduler.NextDue() + late(random) + (stall(random) == 0 ? 40 * kMs : 0);
      if (wake > 10'000 * kMs) break;
      now = wake;
      scheduler.RunDue(now, [&timer1](SaverTimer t) { timer1 += t == SaverTimer::Timer1; });
    }
    perSecond = double(timer1) / 10.0;
  }
  const double nominal = 1000.0 / interval;
  state.counters["ticks_per_s"] = perSecond;
  state.counters["nominal"] = nominal;
  state.counters["deviation_pct"] = 100.0 * std::abs(perSecond - nominal) / nominal;
}

BENCHMARK(BM_SimulatedTickRate)->Arg(2)->Arg(4)->Arg(8)->Arg(12)->Arg(16)->Arg(20)->Arg(50)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
