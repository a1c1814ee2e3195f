// The time from the saver's start to its first picture on the screen, over a
// folder holding one 12-megapixel HEIC beside a folder holding the same
// picture as a JPEG, alternating, in one run. The pictures (made by
// scripts/bench-heic) have a plain centre of one colour, which tells them
// from the black screen and the sample.
//   heic_first_picture_bench.exe <HEIC folder> <JPEG folder> [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/wine/driver/wait.h"
#include "tests/wine/slideshow/screen_pixels.h"
#include "tests/wine/slideshow/show_fixture.h"

namespace {

constexpr uint32_t kCentre = 0x4682B4;
constexpr int kTolerance = 8;
constexpr DWORD kTimeoutMs = 30'000;

bool IsCentre(uint32_t rgb) {
  for (int shift : {0, 8, 16}) {
    if (std::abs(int((rgb >> shift) & 0xFF) - int((kCentre >> shift) & 0xFF)) > kTolerance) return false;
  }
  return true;
}

// Milliseconds from the start to the picture, or -1 when none came.
long long FromStartToPicture(const std::wstring& folder) {
  const RECT screen = slideshow_test::ScreenRect();
  const ULONGLONG startMs = ::GetTickCount64();
  slideshow_test::RunningShow show({.folder = folder, .switchSeconds = 60});
  if (!driver::WaitUntil([&] { return IsCentre(slideshow_test::ScreenPixel(screen.right / 2, screen.bottom / 2)); },
                         kTimeoutMs)) {
    return -1;
  }
  return static_cast<long long>(::GetTickCount64() - startMs);
}

long long Median(std::vector<long long> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void Print(const char* label, const std::vector<long long>& times) {
  std::printf("  %s median %lld ms (", label, Median(times));
  for (size_t i = 0; i < times.size(); ++i) std::printf("%s%lld", i ? ", " : "", times[i]);
  std::printf(" ms; -1: none)\n");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: heic_first_picture_bench.exe <HEIC folder> <JPEG folder> [runs]\n");
    return 2;
  }
  const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 5;
  std::vector<long long> heic, jpeg;
  for (int i = 0; i < runs; ++i) {
    jpeg.push_back(FromStartToPicture(argv[2]));
    heic.push_back(FromStartToPicture(argv[1]));
  }
  std::printf("first picture from the saver's start, 12-megapixel photo, %d runs each:\n", runs);
  Print("JPEG (reference):", jpeg);
  Print("HEIC:            ", heic);
  std::printf("  ratio HEIC / JPEG: %.2f\n", double(Median(heic)) / double(Median(jpeg)));
  return 0;
}
