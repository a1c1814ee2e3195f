// Decoder speed. The JPEG cases run beside libjpeg-turbo's own djpeg on the
// same file with the same settings, so the ratio is read off one run. djpeg's
// reported time is the CPU time of the child process (starting it and writing
// the pixels to /dev/null included), to compare with our CPU column on a
// machine that is busy with other work. Fixtures are made once under the
// build tree and reused.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/resource.h>

#include <jpeglib.h>

#include "codecs/decode_limits.h"
#include "codecs/decode_picture.h"
#include "codecs/gif_decoder.h"
#include "codecs/jpeg_decoder.h"
#include "codecs/nview_lib.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

const fs::path kDir = fs::path(TOLVEX_BINARY_DIR) / "bench_fixtures";

// A photo-like RGB picture: smooth light, textured detail and hard edges.
std::vector<uint8_t> PhotoRgb(int width, int height) {
  std::vector<uint8_t> rgb(size_t(width) * height * 3);
  uint32_t seed = 7;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int noise = int(seed >> 28) - 8;
      const bool edge = ((x / 211) + (y / 157)) % 4 == 0;
      auto clamp = [](int v) { return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v); };
      uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
      p[0] = clamp(x * 255 / width + noise);
      p[1] = clamp(y * 255 / height + ((x ^ y) & 31) - noise);
      p[2] = clamp(edge ? 220 + noise : 90 + ((x * 3 + y) % 80));
    }
  }
  return rgb;
}

void WriteJpeg(const fs::path& path, int width, int height) {
  const std::vector<uint8_t> rgb = PhotoRgb(width, height);
  FILE* out = std::fopen(path.c_str(), "wb");
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, out);
  cinfo.image_width = JDIMENSION(width);
  cinfo.image_height = JDIMENSION(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 90, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<uint8_t*>(&rgb[size_t(cinfo.next_scanline) * width * 3]);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::fclose(out);
}

void WritePpm(const fs::path& path, int width, int height) {
  const std::vector<uint8_t> rgb = PhotoRgb(width, height);
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << width << " " << height << "\n255\n";
  out.write(reinterpret_cast<const char*>(rgb.data()), std::streamsize(rgb.size()));
}

Bytes ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Makes a fixture once: the JPEG with libjpeg, the others with ImageMagick
// from a photo-like source.
fs::path Fixture(const std::string& name) {
  fs::create_directories(kDir);
  const fs::path path = kDir / name;
  if (fs::exists(path)) return path;
  if (name == "photo24mp.jpg") {
    WriteJpeg(path, 6000, 4000);
    return path;
  }
  const fs::path src = kDir / "source12mp.ppm";
  if (!fs::exists(src)) WritePpm(src, 4000, 3000);
  std::string options;
  if (name == "large.gif") options = "+dither -colors 256 ";
  if (name == "large.tga") options = "-compress RLE ";
  if (name == "large_rle8.bmp") options = "+dither -colors 256 -compress RLE bmp3:";
  const std::string command = "/usr/bin/convert " + src.string() + " " + options + (options.back() == ':' ? "" : " ") + path.string();
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "could not make %s\n", name.c_str());
  return path;
}

void DecodeLoop(benchmark::State& state, const std::string& file, const std::string& ext, codecs::JpegQuality q) {
  const Bytes bytes = ReadAll(Fixture(file));
  int64_t pixels = 0;
  for (auto _ : state) {
    std::optional<codecs::Image> image = codecs::DecodePicture(ext, bytes, q);
    if (!image) {
      state.SkipWithError("decode failed");
      return;
    }
    pixels = int64_t(image->width) * image->height;
    benchmark::DoNotOptimize(image->pixels.data());
  }
  state.counters["MP/s"] = benchmark::Counter(double(pixels) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

double ChildCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void Djpeg(benchmark::State& state, const std::string& options) {
  const std::string command = "djpeg " + options + " -outfile /dev/null " + Fixture("photo24mp.jpg").string();
  for (auto _ : state) {
    const double before = ChildCpuSeconds();
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("djpeg failed");
      return;
    }
    state.SetIterationTime(ChildCpuSeconds() - before);
  }
}

// What materialising a 6000 x 4000 Image costs by itself (djpeg streams its
// rows and never holds the picture): the page faults of 96 MB.
void BM_ImageAllocation24MP(benchmark::State& s) {
  for (auto _ : s) {
    std::optional<codecs::Image> image = codecs::AllocateImage(6000, 4000);
    benchmark::DoNotOptimize(image->pixels.data());
  }
}

void BM_JpegSaver24MP(benchmark::State& s) { DecodeLoop(s, "photo24mp.jpg", "jpg", codecs::JpegQuality::Saver); }
void BM_DjpegDctInt24MP(benchmark::State& s) { Djpeg(s, "-dct int"); }
void BM_JpegThumbnail24MP(benchmark::State& s) { DecodeLoop(s, "photo24mp.jpg", "jpg", codecs::JpegQuality::Thumbnail); }
void BM_DjpegHalfFast24MP(benchmark::State& s) { Djpeg(s, "-scale 1/2 -dct fast"); }
void BM_Gif12MP(benchmark::State& s) { DecodeLoop(s, "large.gif", "gif", codecs::JpegQuality::Saver); }
void BM_TgaRle12MP(benchmark::State& s) { DecodeLoop(s, "large.tga", "tga", codecs::JpegQuality::Saver); }
void BM_Pcx12MP(benchmark::State& s) { DecodeLoop(s, "large.pcx", "pcx", codecs::JpegQuality::Saver); }
void BM_BmpRle8_12MP(benchmark::State& s) { DecodeLoop(s, "large_rle8.bmp", "rle", codecs::JpegQuality::Saver); }

BENCHMARK(BM_ImageAllocation24MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_JpegSaver24MP)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_DjpegDctInt24MP)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3);
BENCHMARK(BM_JpegThumbnail24MP)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_DjpegHalfFast24MP)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3);
BENCHMARK(BM_Gif12MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TgaRle12MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Pcx12MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BmpRle8_12MP)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
