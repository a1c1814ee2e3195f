#pragma once
// The Wine benchmarks' clock: runs of a piece of work timed one by one, the
// median taken, and what the last run counted.
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <vector>

namespace bench {

inline double NowSeconds() {
  LARGE_INTEGER count, frequency;
  ::QueryPerformanceCounter(&count);
  ::QueryPerformanceFrequency(&frequency);
  return double(count.QuadPart) / double(frequency.QuadPart);
}

struct Timed {
  std::vector<double> seconds;
  size_t count = 0;
  double Median() {
    std::sort(seconds.begin(), seconds.end());
    return seconds[seconds.size() / 2];
  }
};

template <class Walk>
void TimeOnce(Timed& timed, const Walk& walk) {
  const double start = NowSeconds();
  timed.count = walk();
  timed.seconds.push_back(NowSeconds() - start);
}

}  // namespace bench
