// The show as the saver runs it: ticks from the scheduler on a jittery clock,
// frames composed incrementally and presented at most once per refresh, only
// the dirty parts reaching the window. Every present is checked against a
// full recomposition of the latest tick (clear all, copy, ticker), which is
// what the window would show if every tick were composed and presented whole.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "fake_saver_host.h"
#include "slideshow/present_pacer.h"
#include "slideshow/saver_show.h"
#include "slideshow/tick_scheduler.h"

namespace slideshow {
namespace {

using testing::FakeSaverHost;
using testing::SampleStrip;
using testing::TestBuffer;

constexpr int64_t kMs = 1'000'000;
constexpr Size kScreen{160, 120};

// Text drawn as the window draws it, in 6-pixel glyph cells on 10-pixel
// lines (the fake host's measure). Its glyphs are boxes whose colour depends
// on the pixel under them, as antialiased text would, so any difference in
// what lies under the ticker shows in the frame.
Rect DrawGlyphs(const PixelView& b, int32_t y, const std::string& text) {
  constexpr int32_t kCell = 6, kLine = 10;
  const int32_t cells = int32_t(text.size());
  for (int32_t cell = 0; cell < cells; ++cell) {
    if (text[size_t(cell)] == ' ') continue;
    for (int32_t py = std::max(0, y + 1); py < std::min(y + kLine - 1, b.height); ++py)
      for (int32_t px = cell * kCell; px < std::min(cell * kCell + kCell - 1, b.width); ++px)
        b.row(py)[px] = (b.row(py)[px] >> 1 & 0x7F7F7F) + 0x204000 + uint32_t(text[size_t(cell)]);
  }
  return Intersection({0, y, cells * kCell, y + kLine}, b.bounds());
}

// The fake window wired to a jittery clock: its clock in seconds follows the
// timers' clock, text is drawn as boxes, and presents copy the dirty
// rectangles into a separate window image.
class PacedHost : public FakeSaverHost {
 public:
  int64_t now = 0;
  TestBuffer buffer{kScreen};
  std::vector<uint32_t> window = std::vector<uint32_t>(buffer.pixels.size(), 0xABCDEF);
  int wholeStretches = 0;

  PacedHost() {
    screen = kScreen;
    clock = [this] { return now; };
    message.messageText = "Ticker text over the moving picture";
    drawText = [this](int32_t, int32_t y, const std::string& text) { return DrawGlyphs(buffer.view, y, text); };
  }
  int64_t NowSeconds() override { return 1'700'000'000 + now / 1'000'000'000; }
  void StretchBackBuffer() override {
    window = buffer.pixels;
    ++wholeStretches;
  }
  void PresentBackBuffer(const std::vector<Rect>& dirty) override {
    FakeSaverHost::PresentBackBuffer(dirty);
    for (const Rect& r : dirty) {
      ASSERT_EQ(Intersection(r, buffer.view.bounds()), r);
      for (int32_t y = r.top; y < r.bottom; ++y)
        for (int32_t x = r.left; x < r.right; ++x)
          window[size_t(y) * size_t(kScreen.width) + size_t(x)] = buffer.view.row(y)[x];
    }
  }
};

codecs::Image Pattern(int32_t w, int32_t h, uint32_t seed) {
  codecs::Image img(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) img.row(y)[x] = (seed * 0x10101u + uint32_t(x * 7 + y * 131)) & 0xFFFFFF;
  return img;
}

class PacedComposition : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    host.message.floating = GetParam();
    host.message.switchSeconds = 1;
    host.pictureSettings = [](settings::SaverSettings& s, settings::PictureList&) {
      s.picture.folder = "P";
      s.picture.useRegisteredList = false;
      return settings::ReadOutcome::Continue;
    };
    // Different sizes and kinds: a plain picture, a strip of four frames, one
    // that is reduced to fit, a tall one, a strip too high for the screen,
    // and a file that does not decode (the sample strip shows).
    const std::vector<std::pair<std::string, codecs::Image>> files{
        {"a.bmp", Pattern(60, 40, 1)},  {"b.bmp", Pattern(128, 32, 2)}, {"c.bmp", Pattern(300, 200, 3)},
        {"d.bmp", Pattern(30, 70, 4)},  {"e.bmp", Pattern(520, 130, 5)}, {"f.bmp", codecs::Image()}};
    for (const auto& [name, image] : files) {
      host.directory.AddEntry("P", name);
      host.files["P\\" + name] = image;
    }
    show = std::make_unique<SaverShow>(host, host.timers, counters, host.tickerLine,
                                       SaverShowSetup{host.buffer.view, SampleStrip(), false, {}});
  }

  // What composing this tick in full would leave in the buffer.
  std::vector<uint32_t> FullRecomposition() {
    TestBuffer ref{kScreen};
    ClearBackBuffer(ref.view);
    CopyPictureToBuffer(ref.view, show->Picture().pictureBitmap, show->Picture().geometry.sourceRect,
                        show->Motion().destRect);
    const MessageTicker& ticker = show->Ticker();
    if (!ticker.tickerText().empty()) DrawGlyphs(ref.view, ticker.tickerY(), ticker.tickerText());
    return ref.pixels;
  }

  // The window's loop: wake late by up to 3 ms after the next due time or
  // present slot, run the due ticks, present if the refresh allows.
  void Run(int64_t until) {
    std::mt19937 random(GetParam() ? 11 : 12);
    std::uniform_int_distribution<int64_t> late(0, 3 * kMs);
    while (true) {
      std::optional<int64_t> wake = host.timers.NextDue();
      if (show->HasFrameToPresent()) wake = std::min(*wake, pacer.NextSlot(host.now));
      host.now = std::max(host.now, *wake + late(random));
      if (host.now > until) return;
      host.timers.RunDue(host.now, [&](SaverTimer t) {
        show->OnTimer(t);
        if (t == SaverTimer::Timer1) {
          expected = FullRecomposition();
          ++ticks;
        }
      });
      if (show->HasFrameToPresent() && pacer.MayPresent(host.now)) {
        show->PresentFrame();
        ASSERT_GE(host.now - lastPresent, PresentPacer::RefreshPeriodNs(60));
        lastPresent = host.now;
        pacer.Presented(host.now);
        ++presents;
        ASSERT_EQ(host.buffer.pixels, expected) << "present " << presents << " at " << host.now;
        ASSERT_EQ(host.window, expected) << "present " << presents << " at " << host.now;
      }
    }
  }

  PacedHost host;
  FrameCounters counters;
  std::unique_ptr<SaverShow> show;
  PresentPacer pacer{PresentPacer::RefreshPeriodNs(60)};
  std::vector<uint32_t> expected = std::vector<uint32_t>(size_t(kScreen.width) * kScreen.height, 0);
  int64_t lastPresent = -1'000'000'000;
  int ticks = 0, presents = 0;
};

TEST_P(PacedComposition, EveryPresentShowsWhatAFullRecompositionOfTheLatestTickWould) {
  show->FormCreate();
  show->FormPaint();
  Run(5'000 * kMs);
  show->FormPaint();  // a repaint in the middle of a switching interval
  EXPECT_EQ(host.window, expected);
  Run(30'000 * kMs);
  EXPECT_GE(ticks, GetParam() ? 3000 : 550);
  EXPECT_GT(presents, 200);
  EXPECT_LE(presents, 30 * 60 + 1);
  EXPECT_GE(show->List().currentIndex, 0);
  EXPECT_EQ(host.wholeStretches, 2);
}

INSTANTIATE_TEST_SUITE_P(FloatingAndStill, PacedComposition, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Floating" : "Still"; });

}  // namespace
}  // namespace slideshow
