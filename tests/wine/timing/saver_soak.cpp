// The saver window full screen in this process for a long run over the
// current settings (scripts/soak writes them), through the real loop. Every
// `rotateSeconds` the picture folder moves on to the next one given and the
// window is repainted, which rereads the settings and rebuilds the list, so
// one run goes through folders of every picture format. Prints the live GDI
// objects and the working set after the first minute and at the end; Wine
// answers GetGuiResources with 0, so live objects are counted by asking each
// handle index for its type.
//   saver_soak.exe <minutes> <rotateSeconds> <folder>...
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/preview_window_win.h"
#include "app/saver_window_win.h"
#include "platform/application_win.h"
#include "tests/wine/driver/gdi_objects.h"
#include "tests/wine/driver/settings_registry.h"
#include "tests/wine/timing/loop_runner.h"

namespace {

constexpr int64_t kMinuteNs = 60'000'000'000;

void Report(const char* when) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
  std::printf("%s: GDI objects %lu, working set %.1f MiB, committed %.1f MiB\n", when,
              driver::GdiObjectCount(), double(counters.WorkingSetSize) / 1048576.0,
              double(counters.PagefileUsage) / 1048576.0);
  std::fflush(stdout);
}

// Runs until `endNs`, moving to the next folder every `rotateNs`.
bool RunRotating(app::TForm1& saver, int64_t endNs, int64_t rotateNs,
                 const std::vector<std::wstring>& folders, size_t& next, int64_t& rotateAt) {
  while (rotateAt < endNs) {
    if (!timing_test::RunLoopUntil(rotateAt)) return false;
    driver::WriteString(L"dtDir", folders[next]);
    next = (next + 1) % folders.size();
    ::InvalidateRect(saver.Handle(), nullptr, FALSE);
    rotateAt += rotateNs;
  }
  return timing_test::RunLoopUntil(endNs);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::printf("usage: saver_soak <minutes> <rotateSeconds> <folder>...\n");
    return 2;
  }
  const int minutes = std::max(1, _wtoi(argv[1]));
  const int64_t rotateNs = int64_t(std::max(1, _wtoi(argv[2]))) * 1'000'000'000;
  const std::vector<std::wstring> folders(argv + 3, argv + argc);
  driver::WriteString(L"dtDir", folders[0]);
  platform::Application::Instance().Initialize(::GetModuleHandleW(nullptr));
  app::previewWnd = nullptr;
  app::TForm1 saver;
  ::ShowWindow(saver.Handle(), SW_SHOW);
  const int64_t start = timing_test::NowNs();
  size_t next = folders.size() > 1 ? 1 : 0;
  int64_t rotateAt = start + rotateNs;
  if (!RunRotating(saver, start + kMinuteNs, rotateNs, folders, next, rotateAt)) return 1;
  Report("after 1 minute");
  const bool ranToTheEnd =
      RunRotating(saver, start + minutes * kMinuteNs, rotateNs, folders, next, rotateAt);
  Report(ranToTheEnd ? "at the end" : "when the saver ended early");
  return ranToTheEnd ? 0 : 1;
}
