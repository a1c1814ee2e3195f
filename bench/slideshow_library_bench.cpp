// The library's list in memory: 500 000 pictures of a dated phone library
// (5 000 folders of 100, paths like D:\Photos\2019\07\03\IMG_20190703_000042.HEIC),
// taken in batches as the walk streams them, in the order found and
// shuffled. The heap the list holds (glibc's count of bytes in use) is
// reported beside the bytes of the paths themselves, and per picture beyond
// them; the aim is under 100 bytes a picture. The time per iteration is the
// cost of taking the whole library in and showing its first picture.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <memory>
#include <string>

#include "slideshow/library_list.h"

namespace {

constexpr int kFolders = 5000;
constexpr int kPerFolder = 100;

std::string FolderPath(int folder) {
  char path[64];
  std::snprintf(path, sizeof path, "D:\\Photos\\%04d\\%02d\\%02d", 2010 + folder / 360,
                folder / 30 % 12 + 1, folder % 30 + 1);
  return path;
}

std::string PictureName(int folder, int picture) {
  char name[64];
  std::snprintf(name, sizeof name, "IMG_%04d%02d%02d_%06d.HEIC", 2010 + folder / 360,
                folder / 30 % 12 + 1, folder % 30 + 1, picture);
  return name;
}

size_t HeapInUse() { return mallinfo2().uordblks; }

void BM_LibraryList(benchmark::State& state) {
  const bool shuffled = state.range(0) != 0;
  size_t pathBytes = 0, heldBytes = 0;
  for (auto _ : state) {
    const size_t before = HeapInUse();
    auto list = std::make_unique<slideshow::LibraryList>(
        slideshow::LibrarySource{false, "D:\\Photos", true, shuffled, {}}, std::nullopt, 42);
    pathBytes = 0;
    for (int folder = 0; folder < kFolders; folder += 40) {
      slideshow::PictureCatalog batch;  // 4 000 pictures, as the walk batches them
      for (int f = folder; f < folder + 40; ++f) {
        const uint32_t number = batch.AddFolder(FolderPath(f));
        for (int p = 0; p < kPerFolder; ++p) {
          const std::string name = PictureName(f, p);
          batch.Add(number, name);
          pathBytes += FolderPath(f).size() + 1 + name.size();
        }
      }
      list->Append(batch);
    }
    benchmark::DoNotOptimize(list->PathAhead(0));
    heldBytes = HeapInUse() - before;
    state.PauseTiming();
    list.reset();
    state.ResumeTiming();
  }
  const double pictures = double(kFolders) * kPerFolder;
  state.counters["pictures"] = pictures;
  state.counters["path_MB"] = double(pathBytes) / 1e6;
  state.counters["held_MB"] = double(heldBytes) / 1e6;
  state.counters["beyond_path_B_per_picture"] = (double(heldBytes) - double(pathBytes)) / pictures;
}
BENCHMARK(BM_LibraryList)->ArgName("shuffled")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
