#pragma once
// Times a command-line tool (djpeg, dwebp, avifdec) beside our own code: each
// iteration runs the command once and counts the CPU time of the child
// (start-up and writing its output included), for benchmarks that use
// manual time.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <string>

namespace bench {

inline double ChildCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

inline void TimeTool(benchmark::State& state, const std::string& command) {
  for (auto _ : state) {
    const double before = ChildCpuSeconds();
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("the tool failed");
      return;
    }
    state.SetIterationTime(ChildCpuSeconds() - before);
  }
}

// The same with the time on the clock, for a tool that may run on several
// cores and for a reference to our wall time.
inline void TimeToolOnTheClock(benchmark::State& state, const std::string& command) {
  for (auto _ : state) {
    const auto before = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("the tool failed");
      return;
    }
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - before).count());
  }
}

}  // namespace bench
