// The folder scan over one listing beside one bare find-first/find-next walk
// of the same folder, and beside the search per mask, in one run on Wine's
// file system, alternating so all see the same cache. The folder holds a
// phone's photos and films with a few other pictures: 1 300 entries.
//   folder_scan_bench.exe [repetitions]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/wine/median_timing.h"
#include "platform/utf16.h"
#include "settings/directory_search_win.h"
#include "settings/folder_listing_win.h"
#include "settings/folder_scan.h"
#include "tests/wine/slideshow/test_pictures.h"

namespace {

using bench::TimeOnce;

size_t BareWalk(const std::wstring& folder) {
  size_t entries = 0;
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do ++entries;
  while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return entries;
}

template <class Source>
size_t Scan(Source& source, const std::string& folder) {
  size_t names = 0;
  settings::ScanPictureNames(source, folder, [&](const std::string&) { ++names; });
  return names;
}

void Fill(const slideshow_test::TempFolder& folder) {
  auto write = [&](const wchar_t* format, int count) {
    for (int i = 0; i < count; ++i) {
      wchar_t name[40];
      std::swprintf(name, 40, format, i);
      slideshow_test::WriteBytes(folder.File(name), "");
    }
  };
  write(L"IMG_%04d.HEIC", 700);
  write(L"IMG_%04d.JPG", 400);
  write(L"IMG_%04d.MOV", 150);
  write(L"Screenshot %03d.png", 40);
  write(L"notes %d.txt", 10);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int repetitions = argc > 1 ? std::max(1, _wtoi(argv[1])) : 15;
  const slideshow_test::TempFolder folder;
  Fill(folder);
  const std::string path = platform::Utf8FromWide(folder.Path());
  auto bare = [&] { return BareWalk(folder.Path()); };
  auto listed = [&] {
    settings::Win32FolderListing listing;
    return Scan(listing, path);
  };
  auto perMask = [&] {
    settings::Win32DirectorySearch search;
    return Scan(search, path);
  };
  bare();
  listed();
  perMask();
  bench::Timed bareTimes, listedTimes, perMaskTimes;
  for (int i = 0; i < repetitions; ++i) {
    TimeOnce(bareTimes, bare);
    TimeOnce(listedTimes, listed);
    TimeOnce(perMaskTimes, perMask);
  }
  const double bareMedian = bareTimes.Median();
  std::printf("folder scan, median of %d: bare find walk %.2f ms (%zu entries); one-listing scan %.2f ms (%zu names), "
              "ratio %.2f; search per mask %.2f ms (%zu names), ratio %.2f\n",
              repetitions, bareMedian * 1e3, bareTimes.count, listedTimes.Median() * 1e3, listedTimes.count,
              listedTimes.Median() / bareMedian, perMaskTimes.Median() * 1e3, perMaskTimes.count,
              perMaskTimes.Median() / bareMedian);
  return 0;
}
