// One tick's composition as the saver does it (clear what changed, copy the
// floating picture, draw the ticker, put the changed parts on a window in
// memory) beside the plain cost of clearing and copying the whole buffer once,
// at full HD and 4K with a 682 x 511 picture. The goal is at most 0.2 x the
// memset + memcpy figure at each size.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "slideshow/composition.h"
#include "slideshow/floating_motion.h"

namespace {

using slideshow::Rect;

// A back buffer, a window and a ticker line of glyph boxes in 10 x 19 cells,
// roughly as much ink as a line of text.
struct Screen {
  int32_t width, height;
  std::vector<uint32_t> back, window;
  slideshow::PixelView view;
  Screen(int32_t w, int32_t h)
      : width(w), height(h), back(size_t(w) * size_t(h)), window(back.size()),
        view{back.data(), w, h, w} {}

  Rect DrawTicker(int32_t y) const {
    for (int32_t py = y + 3; py < y + 16; ++py)
      for (int32_t cell = 0; cell + 10 <= width; cell += 10)
        for (int32_t px = cell + 1; px < cell + 8; ++px) view.row(py)[px] = 0x00FF00;
    return {0, y, width, y + 19};
  }
  void Present(const std::vector<Rect>& dirty) {
    for (const Rect& r : dirty)
      for (int32_t y = r.top; y < r.bottom; ++y)
        std::memcpy(&window[size_t(y) * size_t(width) + size_t(r.left)], view.row(y) + r.left,
                    size_t(r.width()) * sizeof(uint32_t));
  }
};

codecs::Image Picture() {
  codecs::Image img(682, 511);
  for (size_t i = 0; i < img.pixels.size(); ++i) img.pixels[i] = uint32_t(i * 2654435761u) & 0xFFFFFF;
  return img;
}

void BM_ComposeTick(benchmark::State& state) {
  Screen screen(int32_t(state.range(0)), int32_t(state.range(1)));
  const codecs::Image picture = Picture();
  slideshow::FrameComposer composer(screen.view);
  composer.ClearAll();
  slideshow::MotionState motion;
  int32_t tickerY = 19;
  for (auto _ : state) {
    slideshow::FloatStep(motion, {682, 511}, {screen.width, screen.height}, [] {});
    composer.Compose(picture, {0, 0, 682, 511}, motion.destRect, [&] { return screen.DrawTicker(tickerY); });
    screen.Present(composer.Dirty().Rects());
    composer.Dirty().Clear();
    benchmark::DoNotOptimize(screen.window.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(screen.back.size()) * 4);
}

void BM_FullBufferMemsetMemcpy(benchmark::State& state) {
  Screen screen(int32_t(state.range(0)), int32_t(state.range(1)));
  const size_t bytes = screen.back.size() * sizeof(uint32_t);
  for (auto _ : state) {
    std::memset(screen.back.data(), 0, bytes);
    benchmark::ClobberMemory();
    std::memcpy(screen.window.data(), screen.back.data(), bytes);
    benchmark::DoNotOptimize(screen.window.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

BENCHMARK(BM_ComposeTick)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullBufferMemsetMemcpy)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
