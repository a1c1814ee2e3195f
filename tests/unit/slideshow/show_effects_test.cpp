// The show with its effects, ticked and presented as the saver runs it, once
// per 60 Hz refresh: every present leaves on the window exactly the frame
// the show's layers make when composed whole (the layers' oracle), a
// crossfade mixes the two pictures and ends exactly on the new one, and pan &
// zoom fills a screen of the picture's shape and moves it on every frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "fake_saver_host.h"
#include "slideshow/frame_layers.h"
#include "slideshow/present_pacer.h"
#include "slideshow/saver_show.h"

namespace slideshow {
namespace {

using testing::FakeSaverHost;
using testing::Filled;
using testing::SampleStrip;
using testing::TestBuffer;

constexpr Size kScreen{160, 120};
constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF;

struct Present {
  int64_t ms;
  std::vector<uint32_t> window;
};

class EffectsShow {
 public:
  EffectsShow(bool floating, settings::ShowEffects effects, std::vector<codecs::Image> pictures, bool pictureToWindow) {
    host.screen = kScreen;
    host.message.floating = floating;
    host.message.switchSeconds = 3;
    host.message.messageText = "Ticker";
    host.drawText = [this](int32_t, int32_t y, const std::string& text) {
      for (int32_t py = std::max(0, y + 1); py < std::min(y + 9, kScreen.height); ++py)
        for (int32_t px = 0; px < std::min(int32_t(text.size()) * 6, kScreen.width); px += 2) buffer.view.row(py)[px] = 0x00FF00;
    };
    // A dated picture shows its date.
    host.pictureSettings = [effects, dated = pictures[0].taken.has_value()](settings::SaverSettings& s,
                                                                            settings::PictureList&) {
      s.picture.folder = "P";
      if (dated) s.picture.dateCaption = settings::DateCaption::Western;
      s.effects = effects;
      return settings::ReadOutcome::Continue;
    };
    for (size_t i = 0; i < pictures.size(); ++i) {
      const std::string name = std::string(1, char('a' + i)) + ".bmp";
      host.directory.AddEntry("P", name);
      host.files["P\\" + name] = pictures[i];
    }
    SaverShowSetup setup{buffer.view, SampleStrip(), false, &host.supply};
    setup.pictureToWindow = pictureToWindow;
    show = std::make_unique<SaverShow>(host, host.timers, counters, host.tickerLine, std::move(setup));
  }

  // Runs until `untilMs`, presenting at most once per refresh; checks every
  // present against the layers composed whole and keeps the windows.
  std::vector<Present> Run(int64_t untilMs) {
    std::vector<Present> presents;
    show->FormCreate();
    show->FormPaint();
    window = buffer.pixels;
    for (; host.nowMs < untilMs;) {
      ++host.nowMs;
      host.seconds = 1'700'000'000 + host.nowMs / 1000;
      host.timers.RunDue(host.nowMs * 1'000'000, [&](SaverTimer t) { show->OnTimer(t); });
      const int64_t now = host.nowMs * 1'000'000;
      if (!show->HasFrameToPresent() || !pacer.MayPresent(now)) continue;
      const size_t before = host.presents.size();
      const int64_t composed = show->Compositions();
      show->PresentFrame();
      pacer.Presented(now);
      for (size_t i = before; i < host.presents.size(); ++i) testing::ApplyUpdate(host.presents[i], buffer.view, window);
      // A frame composed earlier (before a ticker step) is not this moment's.
      if (show->Compositions() == composed) {
        presents.push_back({host.nowMs, window});
        continue;
      }
      const std::vector<uint32_t> whole = Whole();
      const auto [w, f] = std::mismatch(window.begin(), window.end(), whole.begin());
      EXPECT_TRUE(w == window.end()) << "present at " << host.nowMs << " ms: at pixel " << (w - window.begin())
                                     << std::hex << " " << (w == window.end() ? 0 : *w) << " for " << (w == window.end() ? 0 : *f);
      presents.push_back({host.nowMs, window});
    }
    return presents;
  }

  // The frame of the last composition, composed whole in the show's own
  // buffer (where its text is drawn), which is then put back.
  std::vector<uint32_t> Whole() {
    const std::vector<uint32_t> kept = buffer.pixels;
    ComposeLayers(buffer.view, show->FrameAt(show->ComposedAt()));
    std::vector<uint32_t> whole = buffer.pixels;
    buffer.pixels = kept;
    return whole;
  }

  FakeSaverHost host;
  TestBuffer buffer{kScreen};
  std::vector<uint32_t> window;
  FrameCounters counters;
  PresentPacer pacer{PresentPacer::RefreshPeriodNs(60)};
  std::unique_ptr<SaverShow> show;
};

bool Mixed(uint32_t pixel) { return (pixel >> 16 & 0xFF) > 20 && (pixel & 0xFF) > 20; }

// (floating, picture to the window, fgFade), switching at 3 s and 6 s: every
// present is its layers; the two pictures mix only with the value and only
// for about a second at a switch, and the fade ends exactly on the new one.
// A floating fade (its pictures stand at different places) is held to the
// layers alone.
class Switch : public ::testing::TestWithParam<std::tuple<bool, bool, bool>> {};

TEST_P(Switch, FadesForASecondWithTheValueAndElseCuts) {
  const auto [floating, toWindow, fade] = GetParam();
  EffectsShow s(floating, {fade, false}, {Filled(80, 60, kRed), Filled(80, 60, kBlue)}, toWindow);
  const std::vector<Present> presents = s.Run(7'500);
  ASSERT_GT(presents.size(), 100u);
  EXPECT_GT(presents.back().ms, 7'400) << "presents go on after the fades";
  const Rect at = s.show->Motion().destRect;
  int fading = 0;
  for (const Present& p : presents) {
    const bool mixed = Mixed(p.window[size_t(at.top + 30) * kScreen.width + size_t(at.left + 40)]);
    if (p.ms > 2'900 && (p.ms + 100) % 3000 <= 1'100)
      fading += mixed;
    else
      ASSERT_FALSE(mixed) << p.ms;
  }
  if (!fade) {
    EXPECT_EQ(fading, 0);
  } else if (!floating) {
    EXPECT_GE(fading, 60) << "about 60 frames per fade, two fades, the faintest ones not counted";
  }
  EXPECT_FALSE(s.show->Crossfading());
}

INSTANTIATE_TEST_SUITE_P(FloatingAndStill, Switch, ::testing::Combine(::testing::Bool(), ::testing::Bool(), ::testing::Bool()),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param) ? "Floating" : "Still") +
                                  (std::get<1>(info.param) ? "PictureToWindow" : "InBuffer") +
                                  (std::get<2>(info.param) ? "Fading" : "Cut");
                         });

// A 4:3 picture with detail on a 4:3 screen.
codecs::Image Detailed() {
  codecs::Image img(400, 300);
  for (int32_t y = 0; y < 300; ++y)
    for (int32_t x = 0; x < 400; ++x) img.row(y)[x] = codecs::Rgb(uint8_t(x * 255 / 399), uint8_t(y * 255 / 299), 0x80);
  return img;
}

codecs::Image Dated(codecs::Image picture) {
  picture.taken = codecs::PhotoDate{2024, 5, 3};
  return picture;
}

// Pan & zoom alone, fading between pictures of every shape, and dated pairs
// over their backdrops, alone and with pan & zoom, fading: every present is
// the layers composed whole. Pan & zoom alone fills a screen of the
// picture's shape and moves it on every frame.
TEST(EffectsShow, EveryPresentIsTheLayersComposedWhole) {
  const struct {
    settings::ShowEffects effects;
    std::vector<codecs::Image> pictures;
    int64_t ms;
    size_t presents;
    bool fillsAndMoves = false;
  } cases[] = {
      {{false, true}, {Detailed()}, 4'000, 200, true},
      {{true, true}, {Detailed(), Filled(90, 160, kBlue), SampleStrip()}, 10'000, 500},
      {{true, false, true, true}, {Dated(Filled(30, 60, kRed)), Dated(Filled(30, 60, kBlue)), Dated(Filled(30, 60, kRed))}, 7'000, 100},
      {{true, true, true, true}, {Dated(Filled(30, 60, kRed)), Dated(Filled(30, 60, kBlue)), Dated(Filled(30, 60, kRed))}, 7'000, 100},
  };
  for (const auto& c : cases) {
    EffectsShow s(false, c.effects, c.pictures, true);
    const std::vector<Present> presents = s.Run(c.ms);
    ASSERT_GT(presents.size(), c.presents);
    if (!c.fillsAndMoves) continue;
    size_t moved = 0;
    for (size_t i = 1; i < presents.size(); ++i) {
      if (presents[i].window != presents[i - 1].window) ++moved;
      // No black outside the ticker's green: the picture covers the screen.
      for (int32_t y = 20; y < kScreen.height; y += 7)
        ASSERT_NE(presents[i].window[size_t(y) * kScreen.width + 3], 0u) << presents[i].ms;
    }
    EXPECT_GE(moved, presents.size() * 9 / 10);
  }
}

}  // namespace
}  // namespace slideshow
