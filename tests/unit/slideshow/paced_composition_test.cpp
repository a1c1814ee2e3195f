// The show as the saver runs it: ticks from the scheduler on a jittery clock,
// frames composed incrementally and presented at most once per refresh, only
// what changed reaching the window, either all through the back buffer or
// with the picture going to the window from its own bitmap. Every present is
// checked against a full recomposition of the latest tick (clear all, copy,
// ticker), which is what the window would show if every tick were composed
// and presented whole.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <utility>

#include "fake_saver_host.h"
#include "slideshow/photo_caption.h"
#include "slideshow/photo_date_text.h"
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
// timers' clock, text is drawn as boxes, and presents write black, the
// picture's parts and the buffer's parts into a separate window image.
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
  void PresentUpdate(const WindowUpdate& update) override {
    FakeSaverHost::PresentUpdate(update);
    const auto put = [&](Rect r, auto pixel) {
      ASSERT_EQ(Intersection(r, buffer.view.bounds()), r);
      for (int32_t y = r.top; y < r.bottom; ++y)
        for (int32_t x = r.left; x < r.right; ++x) window[size_t(y) * size_t(kScreen.width) + size_t(x)] = pixel(x, y);
    };
    for (const Rect& r : update.black) put(r, [](int32_t, int32_t) { return 0u; });
    for (const CopyPlan& p : update.fromPicture) {
      ASSERT_NE(update.picture, nullptr);
      ASSERT_LE(p.sourceLeft + p.dest.width(), update.picture->width);
      ASSERT_LE(p.sourceTop + p.dest.height(), update.picture->height);
      put(p.dest, [&](int32_t x, int32_t y) {
        return update.picture->row(p.sourceTop + y - p.dest.top)[p.sourceLeft + x - p.dest.left];
      });
    }
    for (const Rect& r : update.fromBuffer) put(r, [&](int32_t x, int32_t y) { return buffer.view.row(y)[x]; });
  }
};

codecs::Image Pattern(int32_t w, int32_t h, uint32_t seed) {
  codecs::Image img(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) img.row(y)[x] = (seed * 0x10101u + uint32_t(x * 7 + y * 131)) & 0xFFFFFF;
  return img;
}

// (floating, picture to the window, the date caption)
class PacedComposition : public ::testing::TestWithParam<std::tuple<bool, bool, settings::DateCaption>> {
 protected:
  bool Floating() const { return std::get<0>(GetParam()); }
  bool PictureToWindow() const { return std::get<1>(GetParam()); }
  settings::DateCaption Caption() const { return std::get<2>(GetParam()); }
  void SetUp() override {
    host.message.floating = Floating();
    host.message.switchSeconds = 1;
    host.pictureSettings = [this](settings::SaverSettings& s, settings::PictureList&) {
      s.picture.folder = "P";
      s.picture.useRegisteredList = false;
      s.picture.dateCaption = Caption();
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
    // Photos with the day they were taken, one of them reduced to fit.
    host.files["P\\a.bmp"].taken = codecs::PhotoDate{2024, 5, 3};
    host.files["P\\c.bmp"].taken = codecs::PhotoDate{1989, 1, 7};
    host.files["P\\e.bmp"].taken = codecs::PhotoDate{2019, 5, 1};
    SaverShowSetup setup{host.buffer.view, SampleStrip(), false, &host.supply};
    setup.pictureToWindow = PictureToWindow();
    show = std::make_unique<SaverShow>(host, host.timers, counters, host.tickerLine, std::move(setup));
  }

  // What composing this tick in full would leave in the buffer.
  std::vector<uint32_t> FullRecomposition() {
    TestBuffer ref{kScreen};
    ClearBackBuffer(ref.view);
    CopyPictureToBuffer(ref.view, show->Picture().pictureBitmap, show->Picture().geometry.sourceRect,
                        show->Motion().destRect);
    if (const std::optional<codecs::PhotoDate> taken = show->Picture().pictureBitmap.taken) {
      PhotoCaption caption(ref.view);
      caption.Show(PhotoDateText(*taken, Caption()), "", [&](const std::string& f, int32_t h, const std::string& t) {
        return host.RenderCaptionText(f, h, t);
      });
      if (const TextLayer line = caption.Line(); line.draw) line.draw();
    }
    const MessageTicker& ticker = show->Ticker();
    if (!ticker.tickerText().empty()) DrawGlyphs(ref.view, ticker.tickerY(), ticker.tickerText());
    return ref.pixels;
  }

  // The window's loop: wake late by up to 3 ms after the next due time or
  // present slot, run the due ticks, present if the refresh allows. After
  // the first present that follows a switch, the window is repainted, as
  // when something uncovers it: the old picture's last frame is gone by then.
  void Run(int64_t until) {
    std::mt19937 random(Floating() ? 11 : 12);
    std::uniform_int_distribution<int64_t> late(0, 3 * kMs);
    while (true) {
      std::optional<int64_t> wake = host.timers.NextDue();
      if (show->HasFrameToPresent()) wake = std::min(*wake, pacer.NextSlot(host.now));
      host.now = std::max(host.now, *wake + late(random));
      if (host.now > until) return;
      host.timers.RunDue(host.now, [&](SaverTimer t) {
        show->OnTimer(t);
        if (t == SaverTimer::tmGamen) repaintDue = true;
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
        if (!PictureToWindow()) ASSERT_EQ(host.buffer.pixels, expected) << "present " << presents << " at " << host.now;
        ASSERT_EQ(host.window, expected) << "present " << presents << " at " << host.now;
        if (!std::exchange(repaintDue, false)) continue;
        show->FormPaint();
        ++repaints;
        ASSERT_EQ(host.window, expected) << "repaint after present " << presents;
      }
    }
  }

  PacedHost host;
  FrameCounters counters;
  std::unique_ptr<SaverShow> show;
  PresentPacer pacer{PresentPacer::RefreshPeriodNs(60)};
  std::vector<uint32_t> expected = std::vector<uint32_t>(size_t(kScreen.width) * kScreen.height, 0);
  int64_t lastPresent = -1'000'000'000;
  int ticks = 0, presents = 0, repaints = 0;
  bool repaintDue = false;
};

TEST_P(PacedComposition, EveryPresentShowsWhatAFullRecompositionOfTheLatestTickWould) {
  show->FormCreate();
  show->FormPaint();
  Run(5'000 * kMs);
  show->FormPaint();  // a repaint in the middle of a switching interval
  EXPECT_EQ(host.window, expected);
  Run(30'000 * kMs);
  EXPECT_GE(ticks, Floating() ? 3000 : 550);
  EXPECT_GT(presents, 200);
  EXPECT_LE(presents, 30 * 60 + 1);
  EXPECT_GE(show->List().currentIndex, 0);
  EXPECT_GT(repaints, 10);
  EXPECT_EQ(host.wholeStretches, 2 + repaints);
}

std::string CaptionName(settings::DateCaption caption) {
  if (caption == settings::DateCaption::Western) return "WithWesternDate";
  if (caption == settings::DateCaption::JapaneseEra) return "WithEraDate";
  return "";
}

INSTANTIATE_TEST_SUITE_P(FloatingAndStill, PacedComposition,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool(),
                                            ::testing::Values(settings::DateCaption::Off, settings::DateCaption::Western,
                                                              settings::DateCaption::JapaneseEra)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param) ? "Floating" : "Still") +
                                  (std::get<1>(info.param) ? "PictureToWindow" : "InBuffer") +
                                  CaptionName(std::get<2>(info.param));
                         });

}  // namespace
}  // namespace slideshow
