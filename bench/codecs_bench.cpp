// Decoder speed. The JPEG cases run beside libjpeg-turbo's own djpeg on the
// same file with the same settings, WebP beside dwebp, AVIF beside avifdec
// and beside libheif's reading of it, HEIC beside a bare libheif program,
// PNG beside a plain read through libpng's simplified API, so the ratio is
// read off one run. A tool's reported time is the CPU time of the child
// process (starting it and writing the pixels to /dev/null included), to
// compare with our CPU column on a machine that is busy with other work.
// Fixtures are made once under the build tree and reused. The colour
// conversion and the orientation are timed on their own. LoadPicture's work
// on a 24-megapixel JPEG for a 1920 x 1080 screen (reading the file, decoding
// at the size shown, reducing to the fitted size) runs beside the same load
// decoding whole, as it was before the decoders learnt to reduce, and beside
// djpeg; its peak memory is that of a fresh process making one load. So is a
// 12-megapixel HEIC as a phone writes it (a grid of 512 x 512 tiles with a
// 320 x 240 thumbnail), whole and as the preview reads it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <png.h>

#include "codecs/colour_profile.h"
#include "codecs/decode_limits.h"
#include "codecs/decode_picture.h"
#include "codecs/file_bytes.h"
#include "codecs/gif_decoder.h"
#include "codecs/heif_decoder.h"
#include "codecs/jpeg_decoder.h"
#include "codecs/nview_lib.h"
#include "codecs/orientation.h"
#include "codecs/picture_extension.h"
#include "bench/tool_timing.h"
#include "slideshow/load_picture.h"
#include "tests/support/jpeg_writer.h"

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
  const size_t stride = size_t(width) * 3;
  const std::vector<uint8_t> bytes =
      test_support::EncodeRgbJpeg(width, height, 90, [&](int y, uint8_t* row) {
        std::copy_n(rgb.begin() + ptrdiff_t(size_t(y) * stride), stride, row);
      });
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
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

void RunOrReport(const std::string& command) {
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
}

// 4032 x 3024 as 8 x 6 tiles of 512 x 512 (the last column and row cut), each
// coded by heif-enc, assembled into a grid with a 320 x 240 thumbnail.
void WritePhoneHeic(const fs::path& path) {
  const fs::path dir = kDir / "heic_tiles";
  fs::create_directories(dir);
  WritePpm(dir / "whole.ppm", 4096, 3072);
  const std::string d = dir.string();
  RunOrReport("cd " + d + " && /usr/bin/convert whole.ppm -crop 512x512 +repage -define png:color-type=2 tile%02d.png");
  RunOrReport("cd " + d + " && ls tile*.png | xargs -P 2 -I{} heif-enc -q 85 {} -o {}.heic >/dev/null");
  RunOrReport("cd " + d + " && /usr/bin/convert whole.ppm -crop 4032x3024+0+0 -resize 320x240 -define png:color-type=2 thumb.png && "
              "heif-enc -q 85 thumb.png -o thumb.heic >/dev/null");
  RunOrReport("cd " + d + " && " + std::string(TOLVEX_SOURCE_DIR) + "/tests/support/heif-assemble " + path.string() +
              " $(ls tile*.png.heic) --columns 8 --width 4032 --height 3024 --thumbnail thumb.heic");
}

// Makes a fixture once: the JPEG with libjpeg, the HEIC with heif-enc, the
// others with ImageMagick from a photo-like source.
fs::path Fixture(const std::string& name) {
  fs::create_directories(kDir);
  const fs::path path = kDir / name;
  if (fs::exists(path)) return path;
  if (name == "photo24mp.jpg") {
    WriteJpeg(path, 6000, 4000);
    return path;
  }
  if (name == "photo12mp.heic") {
    WritePhoneHeic(path);
    return path;
  }
  if (name == "single12mp.heic") {
    // 3024 x 4032, one coded image as heif-enc writes it (its rows coded as wavefronts).
    const fs::path source = kDir / "portrait12mp.ppm";
    WritePpm(source, 3024, 4032);
    RunOrReport("/usr/bin/convert " + source.string() + " -define png:color-type=2 " + (kDir / "portrait12mp.png").string() +
                " && heif-enc -q 85 " + (kDir / "portrait12mp.png").string() + " -o " + path.string() + " >/dev/null");
    return path;
  }
  const fs::path src = kDir / "source12mp.ppm";
  if (!fs::exists(src)) WritePpm(src, 4000, 3000);
  std::string options;
  if (name == "large.gif") options = "+dither -colors 256 ";
  if (name == "large.tga") options = "-compress RLE ";
  if (name == "large_rle8.bmp") options = "+dither -colors 256 -compress RLE bmp3:";
  if (name == "large.webp") options = "-quality 85 ";
  if (name == "large.avif") {
    const std::string command = "avifenc -s 8 -j 2 --min 20 --max 30 " + Fixture("large.png").string() + " " + path.string() +
                                " >/dev/null";
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "could not make %s\n", name.c_str());
    return path;
  }
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

void Djpeg(benchmark::State& state, const std::string& options) {
  bench::TimeTool(state, "djpeg " + options + " -outfile /dev/null " + Fixture("photo24mp.jpg").string());
}

// libpng's simplified API reading the whole file into B, G, R, A rows of a
// fresh buffer, as a decoder returns a fresh picture.
void PlainLibpng(benchmark::State& state) {
  const Bytes bytes = ReadAll(Fixture("large.png"));
  for (auto _ : state) {
    std::vector<uint8_t> pixels;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
      state.SkipWithError("libpng failed");
      return;
    }
    image.format = PNG_FORMAT_BGRA;
    pixels.resize(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
    benchmark::DoNotOptimize(pixels.data());
  }
}

codecs::Image PhotoImage(int width, int height) {
  const std::vector<uint8_t> rgb = PhotoRgb(width, height);
  codecs::Image image(width, height);
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    image.pixels[i] = codecs::Rgb(rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]);
  }
  return image;
}

// Converting a 24-megapixel picture from an embedded profile to sRGB, in place.
void BM_AdobeRgbToSrgb24MP(benchmark::State& state) {
  const Bytes profile = ReadAll("/usr/share/color/icc/compatibleWithAdobeRGB1998.icc");
  codecs::Image image = PhotoImage(6000, 4000);
  for (auto _ : state) codecs::ConvertIccToSrgb(image, profile);
  state.counters["MP/s"] = benchmark::Counter(24, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_DisplayP3ToSrgb24MP(benchmark::State& state) {
  codecs::Image image = PhotoImage(6000, 4000);
  for (auto _ : state) codecs::ConvertCodedToSrgb(image, {12, 13});
  state.counters["MP/s"] = benchmark::Counter(24, benchmark::Counter::kIsIterationInvariantRate);
}

// Turning a 24-megapixel picture: a half turn (rows copied backwards) and a
// quarter turn (rows become columns).
void Orientation(benchmark::State& state, int orientation) {
  const codecs::Image source = PhotoImage(6000, 4000);
  for (auto _ : state) {
    codecs::Image turned = codecs::Orient(source, orientation);
    benchmark::DoNotOptimize(turned.pixels.data());
  }
  state.counters["MP/s"] = benchmark::Counter(24, benchmark::Counter::kIsIterationInvariantRate);
}

// What materialising a 6000 x 4000 Image costs by itself (djpeg streams its
// rows and never holds the picture): the page faults of 96 MB.
void BM_ImageAllocation24MP(benchmark::State& s) {
  for (auto _ : s) {
    std::optional<codecs::Image> image = codecs::AllocateImage(6000, 4000);
    benchmark::DoNotOptimize(image->pixels.data());
  }
}

void HeifLoop(benchmark::State& state, const std::string& file, const codecs::ShownSize& shown) {
  const Bytes bytes = ReadAll(Fixture(file));
  for (auto _ : state) {
    std::optional<codecs::Image> image = codecs::DecodeHeif(bytes, shown);
    if (!image) {
      state.SkipWithError("decode failed");
      return;
    }
    benchmark::DoNotOptimize(image->pixels.data());
  }
}

// One LoadPicture of a file for a 1920 x 1080 screen, as the saver's decoder
// does it: read, decode (at the size shown, or whole), fit.
std::optional<slideshow::FittedPicture> LoadFor1920(const std::string& path, bool floating, bool scaled) {
  const slideshow::DecodeFunction decode = [scaled](const std::string& file, const codecs::ShownSize& shown) {
    const std::optional<Bytes> bytes = codecs::ReadFileBytes(file);
    if (!bytes) return std::optional<codecs::Image>();
    return codecs::DecodePicture(codecs::PictureExtension(file), *bytes, codecs::JpegQuality::Saver,
                                 scaled ? shown : codecs::ShownSize());
  };
  return slideshow::DecodeAndFit(decode, path, slideshow::DisplayMethodOf(floating, false), {1920, 1080});
}

constexpr const char kPeakLoadOption[] = "--peak-load=";

// The peak resident memory of a fresh process of this program making one
// load and exiting, in KiB.
long PeakLoadKib(bool floating, bool scaled, const fs::path& file) {
  const std::string mode = std::string(floating ? "floating" : "still") + (scaled ? "-scaled" : "-whole");
  const pid_t child = fork();
  if (child == 0) {
    const std::string option = kPeakLoadOption + mode;
    execl("/proc/self/exe", "codecs_bench", option.c_str(), file.c_str(), nullptr);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return -1;
  }
  return usage.ru_maxrss;
}

void Load(benchmark::State& state, bool floating, bool scaled, const std::string& file = "photo24mp.jpg") {
  const std::string path = Fixture(file).string();
  for (auto _ : state) {
    std::optional<slideshow::FittedPicture> picture = LoadFor1920(path, floating, scaled);
    if (!picture) {
      state.SkipWithError("load failed");
      return;
    }
    benchmark::DoNotOptimize(picture->bitmap.pixels.data());
  }
  state.counters["peak_KiB"] = double(PeakLoadKib(floating, scaled, path));
}

void BM_LoadPicture24MPFloating1920(benchmark::State& s) { Load(s, true, true); }
void BM_LoadPicture24MPStill1920(benchmark::State& s) { Load(s, false, true); }
void BM_LoadPictureWhole24MPFloating1920(benchmark::State& s) { Load(s, true, false); }
void BM_LoadPictureWhole24MPStill1920(benchmark::State& s) { Load(s, false, false); }
void BM_JpegSaver24MP(benchmark::State& s) { DecodeLoop(s, "photo24mp.jpg", "jpg", codecs::JpegQuality::Saver); }
void BM_DjpegDctInt24MP(benchmark::State& s) { Djpeg(s, "-dct int"); }
// The scale a still load on 1920 x 1080 decodes at.
void BM_DjpegThreeEighthsInt24MP(benchmark::State& s) { Djpeg(s, "-scale 3/8 -dct int"); }
// The scale a floating load on 1920 x 1080 decodes at, and the smallest
// scale: what is left at 1/8 is mostly the entropy decoding, which no scale
// saves.
void BM_DjpegQuarterInt24MP(benchmark::State& s) { Djpeg(s, "-scale 1/4 -dct int"); }
void BM_DjpegEighthInt24MP(benchmark::State& s) { Djpeg(s, "-scale 1/8 -dct int"); }
void BM_JpegThumbnail24MP(benchmark::State& s) { DecodeLoop(s, "photo24mp.jpg", "jpg", codecs::JpegQuality::Thumbnail); }
void BM_DjpegHalfFast24MP(benchmark::State& s) { Djpeg(s, "-scale 1/2 -dct fast"); }
void BM_Gif12MP(benchmark::State& s) { DecodeLoop(s, "large.gif", "gif", codecs::JpegQuality::Saver); }
void BM_TgaRle12MP(benchmark::State& s) { DecodeLoop(s, "large.tga", "tga", codecs::JpegQuality::Saver); }
void BM_Pcx12MP(benchmark::State& s) { DecodeLoop(s, "large.pcx", "pcx", codecs::JpegQuality::Saver); }
void BM_BmpRle8_12MP(benchmark::State& s) { DecodeLoop(s, "large_rle8.bmp", "rle", codecs::JpegQuality::Saver); }
void BM_Png12MP(benchmark::State& s) { DecodeLoop(s, "large.png", "png", codecs::JpegQuality::Saver); }
void BM_PlainLibpng12MP(benchmark::State& s) { PlainLibpng(s); }
void BM_WebpLossy12MP(benchmark::State& s) { DecodeLoop(s, "large.webp", "webp", codecs::JpegQuality::Saver); }
void BM_Dwebp12MP(benchmark::State& s) { bench::TimeTool(s, "dwebp -quiet -ppm -o /dev/null " + Fixture("large.webp").string()); }
void BM_Avif12MP(benchmark::State& s) { DecodeLoop(s, "large.avif", "avif", codecs::JpegQuality::Saver); }
// avifdec writes Y4M, the planes as decoded, without a conversion to RGB.
void BM_Avifdec12MP(benchmark::State& s) {
  bench::TimeTool(s, "avifdec -j all " + Fixture("large.avif").string() + " " + (kDir / "avifdec.y4m").string() + " >/dev/null");
}
// libheif reading the AVIF our own reader reads above.
void BM_AvifThroughLibheif12MP(benchmark::State& s) { HeifLoop(s, "large.avif", {}); }
// The phone's HEIC: decoded whole, loaded for a 1920 x 1080 still show (the
// decoded picture is 4032 x 3024 x 4 bytes = 47,628 KiB), beside the bare
// program; and read for the preview's 168 x 168 box, which takes the
// thumbnail the file holds.
void BM_Heic12MP(benchmark::State& s) { HeifLoop(s, "photo12mp.heic", {}); }
void BM_LoadPictureHeic12MPStill1920(benchmark::State& s) { Load(s, false, true, "photo12mp.heic"); }
void BM_HeicBareLibheif12MP(benchmark::State& s) {
  bench::TimeTool(s, std::string(TOLVEX_HEIF_BARE_DECODE) + " " + Fixture("photo12mp.heic").string());
}
// Decoded and fitted on every core (BM_LoadPictureHeic12MPStill1920 for the
// grid), beside the bare program on one thread, both on the clock: the
// phone's grid, and a plain coded image of the same size.
void BM_HeicGridBareOneThread12MP(benchmark::State& s) {
  bench::TimeToolOnTheClock(s, std::string(TOLVEX_HEIF_BARE_DECODE) + " " + Fixture("photo12mp.heic").string());
}
void BM_LoadPictureHeicSingle12MPStill1920(benchmark::State& s) { Load(s, false, true, "single12mp.heic"); }
void BM_HeicSingleBareOneThread12MP(benchmark::State& s) {
  bench::TimeToolOnTheClock(s, std::string(TOLVEX_HEIF_BARE_DECODE) + " " + Fixture("single12mp.heic").string());
}
void BM_HeicThumbnail12MP(benchmark::State& s) {
  HeifLoop(s, "photo12mp.heic", [](codecs::PictureSize) { return codecs::PictureSize{168, 126}; });
}
void BM_OrientHalfTurn24MP(benchmark::State& s) { Orientation(s, 3); }
void BM_OrientQuarterTurn24MP(benchmark::State& s) { Orientation(s, 6); }

BENCHMARK(BM_ImageAllocation24MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_JpegSaver24MP)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_DjpegDctInt24MP)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3);
BENCHMARK(BM_LoadPicture24MPFloating1920)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_LoadPicture24MPStill1920)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_LoadPictureWhole24MPFloating1920)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_LoadPictureWhole24MPStill1920)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_DjpegQuarterInt24MP)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3);
BENCHMARK(BM_DjpegThreeEighthsInt24MP)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3);
BENCHMARK(BM_DjpegEighthInt24MP)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3);
BENCHMARK(BM_JpegThumbnail24MP)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_DjpegHalfFast24MP)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3);
BENCHMARK(BM_Gif12MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TgaRle12MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Pcx12MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BmpRle8_12MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Png12MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainLibpng12MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WebpLossy12MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Dwebp12MP)->Unit(benchmark::kMillisecond)->UseManualTime();
// dav1d decodes on threads of its own: the CPU column counts the whole process.
BENCHMARK(BM_Avif12MP)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_Avifdec12MP)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_AvifThroughLibheif12MP)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
// libheif decodes a grid's tiles on threads of its own, as dav1d does.
BENCHMARK(BM_Heic12MP)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->MinTime(3);
BENCHMARK(BM_LoadPictureHeic12MPStill1920)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->MinTime(3);
BENCHMARK(BM_HeicBareLibheif12MP)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3);
BENCHMARK(BM_HeicGridBareOneThread12MP)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3);
BENCHMARK(BM_LoadPictureHeicSingle12MPStill1920)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->MinTime(3);
BENCHMARK(BM_HeicSingleBareOneThread12MP)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3);
BENCHMARK(BM_HeicThumbnail12MP)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_AdobeRgbToSrgb24MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DisplayP3ToSrgb24MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OrientHalfTurn24MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OrientQuarterTurn24MP)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

// With --peak-load=<floating|still>-<scaled|whole> <file>, makes one load and
// exits, for PeakLoadKib; otherwise runs the benchmarks.
int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]).starts_with(kPeakLoadOption)) {
    const std::string mode = std::string(argv[1]).substr(sizeof kPeakLoadOption - 1);
    return LoadFor1920(argv[2], mode.starts_with("floating"), mode.ends_with("scaled")) ? 0 : 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
