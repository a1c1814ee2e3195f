// The time from the saver's window appearing to its first picture on the
// screen, over a library's whole tree (listed and shuffled) beside a folder
// of 20 pictures, in one run.
//   first_picture_bench.exe <tree> <folder of 20> [runs]
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/wine/slideshow/screen_pixels.h"
#include "tests/wine/slideshow/show_fixture.h"

namespace {

using slideshow_test::ShowSettings;

constexpr DWORD kFirstPictureTimeoutMs = 20000;

// The colours of scripts/make-library-pictures; anything else on the screen
// (the sample) is not a picture of the library.
bool IsLibraryPicture(uint32_t rgb) {
  constexpr std::array<uint32_t, 8> kColours{0xB22222, 0xDAA520, 0x2E8B57, 0x4682B4,
                                             0xDA70D6, 0xFF7F50, 0x008080, 0xF0E68C};
  constexpr int kJpegTolerance = 6;
  auto matches = [rgb](uint32_t colour) {
    for (int shift : {0, 8, 16}) {
      if (std::abs(int((rgb >> shift) & 0xFF) - int((colour >> shift) & 0xFF)) > kJpegTolerance) return false;
    }
    return true;
  };
  return std::any_of(kColours.begin(), kColours.end(), matches);
}

// Milliseconds from the window to the first picture, or -1 when none came.
long long TimeToFirstPicture(const ShowSettings& settings) {
  const RECT screen = slideshow_test::ScreenRect();
  slideshow_test::RunningShow show(settings);
  const ULONGLONG windowMs = ::GetTickCount64();
  const auto shown = slideshow_test::WatchPixel({screen.right / 2, screen.bottom / 2}, 1, kFirstPictureTimeoutMs);
  if (shown.empty() || !IsLibraryPicture(shown.front().rgb)) return -1;
  return static_cast<long long>(shown.front().sinceMs - windowMs);
}

void Report(const char* label, const ShowSettings& settings, int runs) {
  std::vector<long long> times;
  for (int i = 0; i < runs; ++i) times.push_back(TimeToFirstPicture(settings));
  std::sort(times.begin(), times.end());
  std::printf("first picture, %-34s median %lld ms (", label, times[times.size() / 2]);
  for (size_t i = 0; i < times.size(); ++i) std::printf("%s%lld", i ? ", " : "", times[i]);
  std::printf(" ms; -1: none)\n");
  std::fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: first_picture_bench.exe <tree> <folder of 20> [runs]\n");
    return 2;
  }
  const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 5;
  Report("folder of 20 (reference):", {.folder = argv[2]}, runs);
  Report("20 000-picture tree:", {.folder = argv[1], .subFolders = 1}, runs);
  Report("20 000-picture tree, shuffled:", {.folder = argv[1], .subFolders = 1, .shuffle = 1}, runs);
  return 0;
}
