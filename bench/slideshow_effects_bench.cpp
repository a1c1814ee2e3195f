// The frames of the show's effects, composed whole in the back buffer: a
// crossfade frame (two full-screen pictures mixed) beside a plain pass that
// reads two frames and writes one, at full HD and 4K; and a pan & zoom frame,
// a 12-megapixel picture resampled bilinearly over the whole screen, beside
// pixman's bilinear transformed composite of the same picture and sizes.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdint>
#include <vector>

#include "slideshow/frame_layers.h"

namespace {

codecs::Image Noise(int32_t w, int32_t h, uint32_t seed) {
  codecs::Image img(w, h);
  uint32_t x = seed;
  for (uint32_t& p : img.pixels) p = (x = x * 1664525u + 1013904223u) >> 8;
  return img;
}

struct Frame {
  std::vector<uint32_t> pixels;
  slideshow::PixelView view;
  Frame(int32_t w, int32_t h) : pixels(size_t(w) * size_t(h)), view{pixels.data(), w, h, w} {}
};

void ReadTwoWriteOne(benchmark::State& state) {
  const int32_t w = int32_t(state.range(0)), h = int32_t(state.range(1));
  const codecs::Image a = Noise(w, h, 1), b = Noise(w, h, 2);
  Frame out(w, h);
  for (auto _ : state) {
    for (size_t i = 0; i < out.pixels.size(); ++i) out.pixels[i] = ((a.pixels[i] >> 1) & 0x7F7F7F) + ((b.pixels[i] >> 1) & 0x7F7F7F);
    benchmark::DoNotOptimize(out.pixels.data());
    benchmark::ClobberMemory();
  }
}

void CrossfadeFrame(benchmark::State& state) {
  const int32_t w = int32_t(state.range(0)), h = int32_t(state.range(1));
  const codecs::Image a = Noise(w, h, 1), b = Noise(w, h, 2);
  Frame out(w, h);
  const slideshow::RectF whole{0, 0, double(w), double(h)};
  const slideshow::FrameLayers frame{{{&a, whole, whole, 1}, {&b, whole, whole, 0.4}}, {}};
  for (auto _ : state) {
    slideshow::ComposeLayers(out.view, frame);
    benchmark::DoNotOptimize(out.pixels.data());
    benchmark::ClobberMemory();
  }
}

void PanZoomFrame(benchmark::State& state) {
  const int32_t w = int32_t(state.range(0)), h = int32_t(state.range(1));
  const codecs::Image picture = Noise(4000, 3000, 3);
  Frame out(w, h);
  double t = 0;
  for (auto _ : state) {
    t += 0.37;
    const slideshow::RectF source{100 + t, 80, 3900 - t, 3000 - 80};
    slideshow::ComposeLayers(out.view, {{{&picture, source, {0, 0, double(w), double(h)}, 1}}, {}});
    benchmark::DoNotOptimize(out.pixels.data());
    benchmark::ClobberMemory();
  }
}

// The reference: pixman scales the same source rectangle over the frame
// with its bilinear filter, edge pixels repeated, and writes it (SRC).
void PixmanPanZoomFrame(benchmark::State& state) {
  const int32_t w = int32_t(state.range(0)), h = int32_t(state.range(1));
  codecs::Image picture = Noise(4000, 3000, 3);
  Frame out(w, h);
  pixman_image_t* source =
      pixman_image_create_bits(PIXMAN_x8r8g8b8, picture.width, picture.height, picture.pixels.data(), picture.width * 4);
  pixman_image_t* dest = pixman_image_create_bits(PIXMAN_x8r8g8b8, w, h, out.pixels.data(), w * 4);
  pixman_image_set_filter(source, PIXMAN_FILTER_BILINEAR, nullptr, 0);
  pixman_image_set_repeat(source, PIXMAN_REPEAT_PAD);
  double t = 0;
  for (auto _ : state) {
    t += 0.37;
    const double left = 100 + t, top = 80, right = 3900 - t, bottom = 3000 - 80;
    pixman_transform_t transform;
    pixman_transform_init_scale(&transform, pixman_double_to_fixed((right - left) / w),
                                pixman_double_to_fixed((bottom - top) / h));
    transform.matrix[0][2] = pixman_double_to_fixed(left);
    transform.matrix[1][2] = pixman_double_to_fixed(top);
    pixman_image_set_transform(source, &transform);
    pixman_image_composite32(PIXMAN_OP_SRC, source, nullptr, dest, 0, 0, 0, 0, 0, 0, w, h);
    benchmark::DoNotOptimize(out.pixels.data());
    benchmark::ClobberMemory();
  }
  pixman_image_unref(dest);
  pixman_image_unref(source);
}

}  // namespace

BENCHMARK(ReadTwoWriteOne)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(CrossfadeFrame)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(PanZoomFrame)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(PixmanPanZoomFrame)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
