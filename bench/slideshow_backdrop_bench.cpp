// What the soft backdrop adds to the reader's work for a slide, beside what
// the reader does for the slide anyway: decoding a 12-megapixel photo to the
// screen's size (decoding at the smallest scale that covers it, then
// reducing to the fitted size), from the bytes in memory, in the same run.
// The backdrop is made from the picture as fitted, and from the picture as
// the decoder delivered it before fitting (larger, so the dearer of the two).
// The whole of the reader's work for a slide, a portrait's or a landscape
// photo's, is timed with the backdrop and without: the difference is the
// backdrop made and the slide laid out over it on one picture of the screen's
// size.
#include <benchmark/benchmark.h>

#include <optional>
#include <vector>

#include "codecs/decode_picture.h"
#include "slideshow/backdrop.h"
#include "slideshow/load_picture.h"
#include "slideshow/slide_read.h"
#include "tests/support/jpeg_writer.h"

namespace {

using slideshow::Size;

const std::vector<uint8_t>& Photo12MP() {
  static const std::vector<uint8_t> bytes = test_support::GrainyPhotoJpeg(4000, 3000);
  return bytes;
}

// The decoder's picture for a still show on that screen, before fitting.
std::optional<codecs::Image> DecodeFor(Size screen) {
  const codecs::ShownSize shown = [screen](codecs::PictureSize whole) {
    const Size fitted = slideshow::FitPicture(whole.width, whole.height, screen, false);
    return codecs::PictureSize{fitted.width, fitted.height};
  };
  return codecs::DecodePicture("jpg", Photo12MP(), codecs::JpegQuality::Saver, shown);
}

Size ScreenOf(const benchmark::State& state) { return {int32_t(state.range(0)), int32_t(state.range(1))}; }

void BM_DecodeToScreen12MP(benchmark::State& state) {
  const Size screen = ScreenOf(state);
  for (auto _ : state) {
    std::optional<codecs::Image> decoded = DecodeFor(screen);
    if (!decoded) {
      state.SkipWithError("decode failed");
      return;
    }
    slideshow::FittedPicture fitted = slideshow::FitToScreen(std::move(*decoded), slideshow::DisplayMethod::Still, screen);
    benchmark::DoNotOptimize(fitted.bitmap.pixels.data());
  }
}

void BM_BackdropFromFitted12MP(benchmark::State& state) {
  const Size screen = ScreenOf(state);
  const slideshow::FittedPicture fitted = slideshow::FitToScreen(*DecodeFor(screen), slideshow::DisplayMethod::Still, screen);
  for (auto _ : state) {
    codecs::Image backdrop = slideshow::MakeBackdrop(fitted.bitmap, screen);
    benchmark::DoNotOptimize(backdrop.pixels.data());
  }
}

void BM_BackdropFromDecoded12MP(benchmark::State& state) {
  const Size screen = ScreenOf(state);
  const codecs::Image decoded = *DecodeFor(screen);
  state.counters["decoded_width"] = decoded.width;
  for (auto _ : state) {
    codecs::Image backdrop = slideshow::MakeBackdrop(decoded, screen);
    benchmark::DoNotOptimize(backdrop.pixels.data());
  }
}

// The reader's slide of the 12 MP photo (state.range(2): 1 turned to a
// portrait), with the backdrop (state.range(3)) or without, in a still show.
void BM_ReadSlide12MP(benchmark::State& state) {
  const Size screen = ScreenOf(state);
  const bool portrait = state.range(2) != 0, backdrop = state.range(3) != 0;
  static const std::vector<uint8_t> tall = test_support::GrainyPhotoJpeg(3000, 4000);
  const std::vector<uint8_t>& bytes = portrait ? tall : Photo12MP();
  const slideshow::DecodeFunction decode = [&bytes](const std::string&, const codecs::ShownSize& shown) {
    return codecs::DecodePicture("jpg", bytes, codecs::JpegQuality::Saver, shown);
  };
  for (auto _ : state) {
    std::optional<slideshow::FittedPicture> read = slideshow::ReadSlide(
        decode, {}, "photo.jpg", "", slideshow::DisplayMethod::Still, screen, {false, backdrop});
    if (!read) {
      state.SkipWithError("decode failed");
      return;
    }
    benchmark::DoNotOptimize(read->bitmap.pixels.data());
  }
}

#define SCREENS ->Args({1920, 1080})->Args({3840, 2160})->Args({1080, 1920})
BENCHMARK(BM_DecodeToScreen12MP) SCREENS->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_BackdropFromFitted12MP) SCREENS->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1);
BENCHMARK(BM_BackdropFromDecoded12MP) SCREENS->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1);
BENCHMARK(BM_ReadSlide12MP)
    ->ArgsProduct({{1920}, {1080}, {0, 1}, {0, 1}})
    ->ArgsProduct({{3840}, {2160}, {0, 1}, {0, 1}})
    ->ArgNames({"w", "h", "portrait", "backdrop"})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);

}  // namespace

BENCHMARK_MAIN();
