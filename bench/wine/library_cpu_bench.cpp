// The saver's CPU time over a minute of a still show of a library's whole
// tree beside a folder of 20 pictures, in one run, once the tree's walk is
// over: nothing the show does per tick may grow with the library.
//   library_cpu_bench.exe <tree> <folder of 20> [seconds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "bench/wine/show_cpu.h"

namespace {

using slideshow_test::ShowSettings;

// The walk of 20 000 pictures takes a fraction of a second; this leaves it
// and the first reads well behind.
constexpr DWORD kSettleMs = 5000;

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
  const double reference = bench::MeasureShow(folder, seconds, kSettleMs);
  const double library = bench::MeasureShow(tree, seconds, kSettleMs);
  std::printf("saver CPU over %lu s of a still show: folder of 20 (reference) %.2f s (%.2f %%); "
              "20 000-picture tree %.2f s (%.2f %%); ratio %.2f\n",
              seconds, reference, 100 * reference / seconds, library, 100 * library / seconds,
              reference > 0 ? library / reference : 0.0);
  return 0;
}
