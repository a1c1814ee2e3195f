#pragma once
// The saver's CPU time over a show, as the Wine benchmarks take it.
//
// The CPU time of a process under Wine: Wine answers GetProcessTimes with
// nothing for another process, but counts each thread's time. A thread that
// ends in between takes its time with it; the show's threads live as long as
// the show.
#include <windows.h>

#include <tlhelp32.h>

#include "platform/handles_win.h"
#include "tests/wine/slideshow/screen_pixels.h"
#include "tests/wine/slideshow/show_fixture.h"

namespace bench {

inline double FileTimeSeconds(const FILETIME& t) {
  return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
}

inline double CpuSeconds(DWORD processId) {
  const platform::UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  if (!snapshot) return 0;
  double seconds = 0;
  THREADENTRY32 thread{};
  thread.dwSize = sizeof thread;
  for (BOOL more = ::Thread32First(snapshot.get(), &thread); more; more = ::Thread32Next(snapshot.get(), &thread)) {
    if (thread.th32OwnerProcessID != processId) continue;
    const platform::UniqueKernelHandle opened(::OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, thread.th32ThreadID));
    FILETIME created, ended, kernel, user;
    if (opened && ::GetThreadTimes(opened.get(), &created, &ended, &kernel, &user))
      seconds += FileTimeSeconds(kernel) + FileTimeSeconds(user);
  }
  return seconds;
}

// What `measure` finds of a show from `settleMs` after its first picture is
// on the screen.
template <class Measure>
auto DuringShow(const slideshow_test::ShowSettings& settings, DWORD settleMs, const Measure& measure) {
  slideshow_test::RunningShow show(settings);
  const RECT screen = slideshow_test::ScreenRect();
  slideshow_test::WatchPixel({screen.right / 2, screen.bottom / 2}, 1, 20000);
  ::Sleep(settleMs);
  return measure(show);
}

// CPU seconds the saver spent over `seconds` of a show, from `settleMs`
// after its first picture is on the screen.
inline double MeasureShow(const slideshow_test::ShowSettings& settings, DWORD seconds, DWORD settleMs) {
  return DuringShow(settings, settleMs, [seconds](slideshow_test::RunningShow& show) {
    const double before = CpuSeconds(show.Process().Id());
    ::Sleep(seconds * 1000);
    return CpuSeconds(show.Process().Id()) - before;
  });
}

}  // namespace bench
