// The time from the saver's window to its first picture, over a folder of 100
// pictures on slow storage (the slow file system of
// tests/wine/slow_storage/with-slow-folder, each listing and each open taking
// the delay given), beside one bare listing and one open of the same folder
// in the same run: what no scan can do without.
//   with-slow-folder wine-run slow_folder_first_picture_bench.exe [delay seconds] [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/wine/slideshow/screen_pixels.h"
#include "tests/wine/slideshow/show_fixture.h"
#include "tests/wine/slideshow/test_pictures.h"

namespace {

constexpr uint32_t kColour = 0x2E8B57;
constexpr int kPictures = 100;
constexpr DWORD kTimeoutMs = 120'000;

std::wstring PictureName(int i) {
  wchar_t name[32];
  std::swprintf(name, 32, L"picture%03d.bmp", i);
  return name;
}

void SetDelay(const std::wstring& root, double seconds) {
  FILE* file = _wfopen((root + L"\\delay").c_str(), L"w");
  std::fprintf(file, "%g\n", seconds);
  std::fclose(file);
}

// One find-first/find-next listing of the folder and one open of a picture.
ULONGLONG BareListingAndOpen(const std::wstring& folder) {
  const ULONGLONG start = ::GetTickCount64();
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    while (::FindNextFileW(search, &found)) {
    }
    ::FindClose(search);
  }
  const HANDLE file = ::CreateFileW((folder + L"\\" + PictureName(0)).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  return ::GetTickCount64() - start;
}

// Milliseconds from the window to the first picture, or -1 when none came.
long long FirstPicture(const std::wstring& folder) {
  const RECT screen = slideshow_test::ScreenRect();
  slideshow_test::RunningShow show({.folder = folder, .switchSeconds = 60});
  const ULONGLONG windowMs = ::GetTickCount64();
  const auto shown = slideshow_test::WatchPixel({screen.right / 2, screen.bottom / 2}, 1, kTimeoutMs);
  if (shown.empty() || shown.front().rgb != kColour) return -1;
  return static_cast<long long>(shown.front().sinceMs - windowMs);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const wchar_t* tree = _wgetenv(L"TOLVEX_SLOW_TREE");
  if (!tree) {
    std::fprintf(stderr, "run through tests/wine/slow_storage/with-slow-folder\n");
    return 2;
  }
  std::wstring root = L"Z:" + std::wstring(tree);
  std::replace(root.begin(), root.end(), L'/', L'\\');
  const double delay = argc > 1 ? _wtof(argv[1]) : 3.0;
  const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 3;
  for (int i = 0; i < kPictures; ++i) slideshow_test::WriteSolidBmp(root + L"\\source\\" + PictureName(i), 320, 240, kColour);
  const std::wstring slow = root + L"\\slow";
  SetDelay(root, delay);
  const ULONGLONG bare = BareListingAndOpen(slow);
  std::vector<long long> times;
  for (int i = 0; i < runs; ++i) times.push_back(FirstPicture(slow));
  SetDelay(root, 0);
  std::sort(times.begin(), times.end());
  std::printf("slow folder of %d pictures, %.1f s per listing and per open: first picture median %lld ms (", kPictures,
              delay, times[times.size() / 2]);
  for (size_t i = 0; i < times.size(); ++i) std::printf("%s%lld", i ? ", " : "", times[i]);
  std::printf(" ms; -1: none); one bare listing and one open %llu ms\n", bare);
  return 0;
}
