// The show's effects on the primary screen, in one run:
// - the saver's CPU time over continuous pan & zoom, beside a bare window of
//   this program's own that presents a whole screen-sized frame 60 times a
//   second for as long (the reference: what showing motion costs at all);
// - the frames per second the screen shows during pan & zoom and during a
//   crossfade, counted by watching a small patch of the screen's centre
//   change (each measured on its own, after the CPU figures, as watching
//   costs CPU of its own).
//   effects_cpu_bench.exe <folder of large pictures> [seconds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "bench/wine/median_timing.h"
#include "bench/wine/show_cpu.h"
#include "tests/wine/slideshow/screen_pixels.h"
#include "tests/wine/slideshow/show_fixture.h"
#include "tests/wine/slideshow/test_pictures.h"

namespace {

using slideshow_test::ShowSettings;

constexpr DWORD kSettleMs = 5000;

LRESULT CALLBACK BareWindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  return ::DefWindowProcW(window, message, w, l);
}

// A topmost window over the screen that presents a whole frame 60 times a
// second, each frame a little different, for `seconds`; returns this
// process's CPU seconds over that time.
double BareWindowCpu(DWORD seconds) {
  const RECT screen = slideshow_test::ScreenRect();
  const int32_t w = screen.right, h = screen.bottom;
  WNDCLASSW wc{};
  wc.lpfnWndProc = BareWindowProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"BarePresent";
  ::RegisterClassW(&wc);
  HWND window = ::CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, w, h,
                                  nullptr, nullptr, wc.hInstance, nullptr);
  std::vector<uint32_t> frame(size_t(w) * size_t(h), 0x204060);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB};
  HDC dc = ::GetDC(window);
  auto pump = [] {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
  };
  pump();
  const double before = bench::CpuSeconds(::GetCurrentProcessId());
  const double start = bench::NowSeconds();
  for (int64_t n = 0; n < int64_t(seconds) * 60; ++n) {
    frame[size_t(n % h) * size_t(w) + size_t(n % w)] ^= 0xFFFFFF;
    ::SetDIBitsToDevice(dc, 0, 0, w, h, 0, 0, 0, h, frame.data(), &info, DIB_RGB_COLORS);
    ::GdiFlush();
    pump();
    const double next = start + double(n + 1) / 60;
    const double wait = next - bench::NowSeconds();
    if (wait > 0) ::Sleep(DWORD(wait * 1000));
  }
  const double used = bench::CpuSeconds(::GetCurrentProcessId()) - before;
  ::ReleaseDC(window, dc);
  ::DestroyWindow(window);
  return used;
}

// How many times a second a 16 x 16 patch at the screen's centre changed
// while it was changing: changes closer than 200 ms apart are one run of
// motion, and the rate is the changes over the runs' time. The patch is read
// as fast as the screen lets it be, far above 60 times a second.
double ObservedFps(DWORD seconds) {
  const RECT screen = slideshow_test::ScreenRect();
  const RECT patch{screen.right / 2 - 8, screen.bottom / 2 - 8, screen.right / 2 + 8, screen.bottom / 2 + 8};
  std::vector<double> changes;
  std::optional<slideshow_test::ScreenShot> last;
  const double end = bench::NowSeconds() + seconds;
  while (bench::NowSeconds() < end) {
    slideshow_test::ScreenShot shot(patch);
    if (last && !(shot == *last)) changes.push_back(bench::NowSeconds());
    last = std::move(shot);
    ::Sleep(1);
  }
  double running = 0;
  size_t counted = 0;
  for (size_t i = 1; i < changes.size(); ++i) {
    const double gap = changes[i] - changes[i - 1];
    if (gap < 0.2) {
      running += gap;
      ++counted;
    }
  }
  return running > 0 ? double(counted) / running : 0;
}

double FpsOfShow(const ShowSettings& settings, DWORD seconds) {
  return bench::DuringShow(settings, 2000, [seconds](slideshow_test::RunningShow&) { return ObservedFps(seconds); });
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: effects_cpu_bench.exe <folder of large pictures> [seconds]\n");
    return 2;
  }
  const DWORD seconds = argc > 2 ? DWORD(std::max(1, _wtoi(argv[2]))) : 20;
  // Still pictures moving all the time: pan & zoom, a switch every 10 s.
  const ShowSettings panZoom{.folder = argv[1], .switchSeconds = 10, .panZoom = 1};
  const double bare = BareWindowCpu(seconds);
  const double saver = bench::MeasureShow(panZoom, seconds, kSettleMs);
  std::printf("CPU over %lu s: bare window presenting 60 frames a second (reference) %.2f s (%.1f %%); "
              "saver in pan & zoom %.2f s (%.1f %%); ratio %.2f\n",
              seconds, bare, 100 * bare / seconds, saver, 100 * saver / seconds, bare > 0 ? saver / bare : 0.0);

  const double panZoomFps = FpsOfShow(panZoom, 10);
  // Crossfades between a red and a blue picture, one every 2 s.
  slideshow_test::TempFolder colours;
  slideshow_test::WriteSolidBmp(colours.File(L"a-red.bmp"), 1600, 1200, 0xD02020);
  slideshow_test::WriteSolidBmp(colours.File(L"b-blue.bmp"), 1600, 1200, 0x2020D0);
  const double fadeFps = FpsOfShow({.folder = colours.Path(), .switchSeconds = 2, .fade = 1}, 12);
  std::printf("frames per second on the screen: pan & zoom %.1f; crossfade %.1f\n", panZoomFps, fadeFps);
  return 0;
}
