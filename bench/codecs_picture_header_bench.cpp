// What knowing a picture's shape before decoding costs: reading the headers
// of 100 photos as a phone writes them (12-megapixel JPEGs with an EXIF block
// and thumbnail, HEICs of 512 x 512 tiles with a thumbnail item and EXIF),
// one file an iteration, beside decoding the same files whole (reading the
// file included in both). Made once by scripts/make-phone-pictures under the
// build tree. Files come from the page cache after the first pass, as they
// do for a show going round its folder.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "codecs/decode_picture.h"
#include "codecs/file_bytes.h"
#include "codecs/picture_extension.h"
#include "codecs/file_source.h"
#include "codecs/picture_header.h"

namespace {

namespace fs = std::filesystem;

const fs::path kPhone = fs::path(TOLVEX_BINARY_DIR) / "bench_fixtures" / "phone";

// The 100 photos of one kind ("jpeg" or "heic"), in name order.
const std::vector<std::string>& Photos(const std::string& kind) {
  static const bool made = [] {
    const std::string command = std::string(TOLVEX_SOURCE_DIR) + "/scripts/make-phone-pictures " + kPhone.string();
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
    return true;
  }();
  (void)made;
  static std::vector<std::string> jpeg, heic;
  std::vector<std::string>& list = kind == "jpeg" ? jpeg : heic;
  if (list.empty()) {
    for (const fs::directory_entry& e : fs::directory_iterator(kPhone / kind)) list.push_back(e.path().string());
    std::sort(list.begin(), list.end());
  }
  return list;
}

void Headers(benchmark::State& state, const std::string& kind) {
  const std::vector<std::string>& files = Photos(kind);
  size_t next = 0, portraits = 0;
  for (auto _ : state) {
    const std::string& file = files[next++ % files.size()];
    const codecs::PictureHeader header = codecs::ReadPictureHeaderFile(file, codecs::OpenFileSource);
    if (!header.read) {
      state.SkipWithError("header not read");
      return;
    }
    portraits += header.portrait();
  }
  state.counters["portrait_share"] = double(portraits) / double(state.iterations());
}

void Decodes(benchmark::State& state, const std::string& kind) {
  const std::vector<std::string>& files = Photos(kind);
  size_t next = 0;
  for (auto _ : state) {
    const std::string& file = files[next++ % files.size()];
    const std::optional<std::vector<uint8_t>> bytes = codecs::ReadFileBytes(file);
    std::optional<codecs::Image> image;
    if (bytes) image = codecs::DecodePicture(codecs::PictureExtension(file), *bytes, codecs::JpegQuality::Saver);
    if (!image) {
      state.SkipWithError("decode failed");
      return;
    }
    benchmark::DoNotOptimize(image->pixels.data());
  }
}

void BM_HeaderPhoneJpeg(benchmark::State& s) { Headers(s, "jpeg"); }
void BM_DecodePhoneJpeg(benchmark::State& s) { Decodes(s, "jpeg"); }
void BM_HeaderPhoneHeic(benchmark::State& s) { Headers(s, "heic"); }
void BM_DecodePhoneHeic(benchmark::State& s) { Decodes(s, "heic"); }

BENCHMARK(BM_HeaderPhoneJpeg)->Unit(benchmark::kMicrosecond)->UseRealTime()->Iterations(1000);
BENCHMARK(BM_DecodePhoneJpeg)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(BM_HeaderPhoneHeic)->Unit(benchmark::kMicrosecond)->UseRealTime()->Iterations(1000);
BENCHMARK(BM_DecodePhoneHeic)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);

}  // namespace

BENCHMARK_MAIN();
