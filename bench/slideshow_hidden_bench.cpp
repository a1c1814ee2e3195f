// The library walk of 20 000 pictures (200 folders of 100, in memory, so the
// walk costs the least it can and the filter's share is the largest it can
// be) taken into the library's list, with nothing hidden and with 10 000
// hidden photos, half of them pictures of the walk and half elsewhere. The
// aim: the walk with the hidden photos costs at most 1.05 times the walk
// without.
#include <benchmark/benchmark.h>

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "slideshow/hidden_filter.h"
#include "slideshow/library_list.h"
#include "slideshow/picture_tree_walk.h"
#include "tests/unit/slideshow/memory_folder_tree.h"

namespace {

constexpr int kFolders = 200;
constexpr int kPerFolder = 100;
constexpr int kHidden = 10000;

std::string FolderPath(int folder) {
  char path[64];
  std::snprintf(path, sizeof path, "D:\\Photos\\%04d\\%02d", 2010 + folder / 12, folder % 12 + 1);
  return path;
}

std::string PictureName(int folder, int picture) {
  char name[64];
  std::snprintf(name, sizeof name, "IMG_%04d%02d_%06d.JPG", 2010 + folder / 12, folder % 12 + 1, picture);
  return name;
}

slideshow::testing::MemoryFolderTree& Tree() {
  static slideshow::testing::MemoryFolderTree tree = [] {
    slideshow::testing::MemoryFolderTree made;
    made.Folder("D:\\Photos");
    for (int year = 2010; year < 2010 + kFolders / 12 + 1; ++year)
      made.Folder("D:\\Photos\\" + std::to_string(year));
    for (int folder = 0; folder < kFolders; ++folder) {
      made.Folder(FolderPath(folder));
      for (int picture = 0; picture < kPerFolder; ++picture)
        made.File(FolderPath(folder) + "\\" + PictureName(folder, picture));
    }
    return made;
  }();
  return tree;
}

// Every fourth picture of the walk, in lower case as a hand might have
// written it, and as many that the walk never finds.
slideshow::HiddenFilter HiddenPhotos(int count) {
  std::vector<std::string> paths;
  for (int i = 0; i < count / 2; ++i) {
    std::string path = FolderPath(i * 4 / kPerFolder) + "\\" + PictureName(i * 4 / kPerFolder, i * 4 % kPerFolder);
    for (char& c : path) c = char(std::tolower(static_cast<unsigned char>(c)));
    paths.push_back(path);
    paths.push_back("E:\\Elsewhere\\" + std::to_string(i) + ".jpg");
  }
  return slideshow::HiddenFilter(paths);
}

void BM_LibraryWalk(benchmark::State& state) {
  const bool shuffled = state.range(1) != 0;
  const slideshow::HiddenFilter hidden = HiddenPhotos(int(state.range(0)));
  size_t shown = 0;
  Tree().listed.clear();
  for (auto _ : state) {
    slideshow::LibraryList list({false, "D:\\Photos", true, shuffled, {}}, std::nullopt, 42, &hidden);
    slideshow::WalkPictureTree({"D:\\Photos", true, {"\\*.jpg"}, {}}, Tree(),
                               {[&](slideshow::PictureCatalog&& found) { return list.Append(found); }, {}});
    benchmark::DoNotOptimize(list.PathAhead(0));
    shown = list.Size();
    Tree().listed.clear();
  }
  state.counters["pictures_shown"] = double(shown);
}
BENCHMARK(BM_LibraryWalk)
    ->ArgNames({"hidden", "shuffled"})
    ->Args({0, 0})
    ->Args({kHidden, 0})
    ->Args({0, 1})
    ->Args({kHidden, 1})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();
