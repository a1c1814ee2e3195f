// One tick's composition as the saver does it (the floating picture, the
// ticker drawn every tick, what changed put on a window in memory), both
// through the back buffer (as the preview does) and with the picture going to
// the window from its own bitmap (full screen), with and without the date
// caption, beside the plain cost of clearing and copying the whole buffer
// once, at full HD and 4K with a 682 x 511 picture. The goal is at most 0.2 x
// the memset + memcpy figure at each size.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "slideshow/composition.h"
#include "slideshow/floating_motion.h"
#include "slideshow/photo_caption.h"

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

  void DrawTicker(int32_t y) const {
    for (int32_t py = y + 3; py < y + 16; ++py)
      for (int32_t cell = 0; cell + 10 <= width; cell += 10)
        for (int32_t px = cell + 1; px < cell + 8; ++px) view.row(py)[px] = 0x00FF00;
  }
  uint32_t* WindowAt(int32_t x, int32_t y) { return &window[size_t(y) * size_t(width) + size_t(x)]; }
  void Present(const slideshow::WindowUpdate& update) {
    for (const Rect& r : update.black)
      for (int32_t y = r.top; y < r.bottom; ++y) std::memset(WindowAt(r.left, y), 0, size_t(r.width()) * 4);
    for (const slideshow::CopyPlan& p : update.fromPicture)
      for (int32_t y = 0; y < p.dest.height(); ++y)
        std::memcpy(WindowAt(p.dest.left, p.dest.top + y), update.picture->row(p.sourceTop + y) + p.sourceLeft,
                    size_t(p.dest.width()) * 4);
    for (const Rect& r : update.fromBuffer)
      for (int32_t y = r.top; y < r.bottom; ++y)
        std::memcpy(WindowAt(r.left, y), view.row(y) + r.left, size_t(r.width()) * 4);
  }
};

// A caption's text as boxes in cells as high as the text, about as much ink
// as "2024年5月3日（金）".
slideshow::TextMask CaptionText(const std::string&, int32_t height, const std::string&) {
  slideshow::TextMask mask{11 * height, height, {}};
  mask.coverage.resize(size_t(mask.width) * size_t(height));
  for (int32_t y = height / 6; y < height - height / 6; ++y)
    for (int32_t x = 0; x < mask.width; ++x) mask.coverage[size_t(y * mask.width + x)] = x % height < height * 3 / 4 ? 255 : 0;
  return mask;
}

codecs::Image Picture() {
  codecs::Image img(682, 511);
  for (size_t i = 0; i < img.pixels.size(); ++i) img.pixels[i] = uint32_t(i * 2654435761u) & 0xFFFFFF;
  return img;
}

void BM_ComposeTick(benchmark::State& state) {
  Screen screen(int32_t(state.range(0)), int32_t(state.range(1)));
  const codecs::Image picture = Picture();
  slideshow::FrameComposer composer(screen.view, state.range(2) != 0);
  composer.ClearAll();
  slideshow::MotionState motion;
  const int32_t tickerY = 19;
  uint64_t tickerRevision = 0;
  slideshow::PhotoCaption caption(screen.view);
  if (state.range(3) != 0) caption.Show("2024年5月3日（金）", "", CaptionText);
  for (auto _ : state) {
    slideshow::FloatStep(motion, {682, 511}, {screen.width, screen.height}, [] {});
    composer.Compose(picture, {0, 0, 682, 511}, motion.destRect,
                     {{0, tickerY, screen.width, tickerY + 19}, ++tickerRevision, [&] { screen.DrawTicker(tickerY); }},
                     caption.Line());
    screen.Present(composer.TakeUpdate());
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

// Arguments: width, height, picture to the window, date caption.
BENCHMARK(BM_ComposeTick)
    ->Args({1920, 1080, 0, 0})->Args({1920, 1080, 1, 0})->Args({3840, 2160, 0, 0})->Args({3840, 2160, 1, 0})
    ->Args({1920, 1080, 0, 1})->Args({1920, 1080, 1, 1})->Args({3840, 2160, 0, 1})->Args({3840, 2160, 1, 1})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullBufferMemsetMemcpy)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
