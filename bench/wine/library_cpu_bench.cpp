// The saver's CPU time over a minute of a still show of a library's whole
// tree beside a folder of 20 pictures, in one run, once the tree's walk is
// over: nothing the show does per tick may grow with the library.
//   library_cpu_bench.exe <tree> <folder of 20> [seconds]
#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/handles_win.h"
#include "tests/wine/slideshow/screen_pixels.h"
#include "tests/wine/slideshow/show_fixture.h"

namespace {

using slideshow_test::ShowSettings;

// The walk of 20 000 pictures takes a fraction of a second; this leaves it
// and the first reads well behind.
constexpr DWORD kSettleMs = 5000;

double Seconds(const FILETIME& t) { return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7; }

// The CPU time of the process's threads: Wine answers GetProcessTimes with
// nothing for another process, but counts each thread's time. A thread that
// ends in between takes its time with it; the show's threads live as long as
// the show.
double CpuSeconds(DWORD processId) {
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
      seconds += Seconds(kernel) + Seconds(user);
  }
  return seconds;
}

// CPU seconds the saver spent over `seconds` of the show.
double MeasureShow(const ShowSettings& settings, DWORD seconds) {
  slideshow_test::RunningShow show(settings);
  const RECT screen = slideshow_test::ScreenRect();
  slideshow_test::WatchPixel({screen.right / 2, screen.bottom / 2}, 1, 20000);
  ::Sleep(kSettleMs);
  const double before = CpuSeconds(show.Process().Id());
  ::Sleep(seconds * 1000);
  return CpuSeconds(show.Process().Id()) - before;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: library_cpu_bench.exe <tree> <folder of 20> [seconds]\n");
    return 2;
  }
  const DWORD seconds = argc > 3 ? DWORD(std::max(1, _wtoi(argv[3]))) : 60;
  // A still show with a switch every 3 s and no ticker.
  const ShowSettings folder{.folder = argv[2], .switchSeconds = 3};
  ShowSettings tree = folder;
  tree.folder = argv[1];
  tree.subFolders = 1;
  const double reference = MeasureShow(folder, seconds);
  const double library = MeasureShow(tree, seconds);
  std::printf("saver CPU over %lu s of a still show: folder of 20 (reference) %.2f s (%.2f %%); "
              "20 000-picture tree %.2f s (%.2f %%); ratio %.2f\n",
              seconds, reference, 100 * reference / seconds, library, 100 * library / seconds,
              reference > 0 ? library / reference : 0.0);
  return 0;
}
