// The whole-tree walk of a library beside a bare find-first/find-next walk of
// the same tree, in one run, alternating so both see the same cache; and the
// walk taken into the library's list with 10 000 hidden photos (every fourth
// picture of the tree up to 5 000, and 5 000 elsewhere) beside the same walk
// with none.
//   tree_scan_bench.exe <tree> [repetitions]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/wine/median_timing.h"
#include "platform/utf16.h"
#include "settings/folder_listing_win.h"
#include "settings/folder_scan.h"
#include "slideshow/hidden_filter.h"
#include "slideshow/library_list.h"
#include "slideshow/picture_tree_walk.h"

namespace {

using bench::TimeOnce;

// Every file of the tree counted, every folder entered: the least any walk
// of the tree must do.
size_t BareWalk(const std::wstring& folder) {
  size_t files = 0;
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) files += BareWalk(folder + L"\\" + name);
    else ++files;
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return files;
}

size_t ProductWalk(const std::string& top, const std::vector<std::string>& masks) {
  settings::Win32FolderListing listing;
  slideshow::PictureCatalog catalog;
  slideshow::WalkReceiver receiver;
  receiver.found = [&](slideshow::PictureCatalog&& found) {
    catalog.Append(found);
    return true;
  };
  slideshow::WalkPictureTree({top, true, masks, {}}, listing, receiver);
  return catalog.Size();
}

size_t LibraryWalk(const std::string& top, const std::vector<std::string>& masks,
                   const slideshow::HiddenFilter& hidden) {
  settings::Win32FolderListing listing;
  slideshow::LibraryList list({false, top, true, false, {}}, std::nullopt, 1, &hidden);
  slideshow::WalkPictureTree({top, true, masks, {}}, listing,
                             {[&](slideshow::PictureCatalog&& found) { return list.Append(found); }, {}});
  return list.Size();
}

slideshow::HiddenFilter TenThousandHidden(const std::string& top, const std::vector<std::string>& masks) {
  settings::Win32FolderListing listing;
  slideshow::PictureCatalog catalog;
  slideshow::WalkPictureTree({top, true, masks, {}}, listing,
                             {[&](slideshow::PictureCatalog&& found) {
                                catalog.Append(found);
                                return true;
                              },
                              {}});
  std::vector<std::string> paths;
  for (size_t i = 0; i < catalog.Size() && paths.size() < 5000; i += 4) paths.push_back(catalog.PathAt(i));
  for (int i = 0; paths.size() < 10000; ++i) paths.push_back("Q:\\Elsewhere\\" + std::to_string(i) + ".jpg");
  return slideshow::HiddenFilter(paths);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: tree_scan_bench.exe <tree> [repetitions]\n");
    return 2;
  }
  const std::wstring tree = argv[1];
  const int repetitions = argc > 2 ? std::max(1, _wtoi(argv[2])) : 7;
  const std::string top = platform::Utf8FromWide(tree);
  const std::vector<std::string> masks = settings::PictureMasks();
  auto bare = [&] { return BareWalk(tree); };
  auto product = [&] { return ProductWalk(top, masks); };
  const slideshow::HiddenFilter none, hidden = TenThousandHidden(top, masks);
  auto libraryNone = [&] { return LibraryWalk(top, masks, none); };
  auto libraryHidden = [&] { return LibraryWalk(top, masks, hidden); };
  // Once each unmeasured, so the first measured walk finds the cache warm.
  bare();
  product();
  bench::Timed bareTimes, productTimes, noneTimes, hiddenTimes;
  for (int i = 0; i < repetitions; ++i) {
    TimeOnce(bareTimes, bare);
    TimeOnce(productTimes, product);
    TimeOnce(noneTimes, libraryNone);
    TimeOnce(hiddenTimes, libraryHidden);
  }
  const double bareMedian = bareTimes.Median(), productMedian = productTimes.Median();
  std::printf("tree scan, median of %d: bare find walk %.1f ms (%zu files); whole-tree walk %.1f ms "
              "(%zu pictures); ratio %.2f\n",
              repetitions, bareMedian * 1e3, bareTimes.count, productMedian * 1e3, productTimes.count,
              productMedian / bareMedian);
  const double noneMedian = noneTimes.Median(), hiddenMedian = hiddenTimes.Median();
  std::printf("library walk, median of %d: none hidden %.1f ms (%zu pictures); 10 000 hidden %.1f ms "
              "(%zu pictures); ratio %.3f\n",
              repetitions, noneMedian * 1e3, noneTimes.count, hiddenMedian * 1e3, hiddenTimes.count,
              hiddenMedian / noneMedian);
  return 0;
}
