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
  uint32_t Centre() const { return window[size_t(kScreen.height / 2) * kScreen.width + kScreen.width / 2]; }
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
    host.pictureSettings = [effects](settings::SaverSettings& s, settings::PictureList&) {
      s.picture.folder = "P";
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

// (floating, picture to the window)
class Crossfade : public ::testing::TestWithParam<std::tuple<bool, bool>> {};

// Still, where both pictures stand at the same place; a floating fade is
// held to the layers' oracle by the cut's test and the pan & zoom show.
class StillCrossfade : public ::testing::TestWithParam<bool> {};

TEST_P(StillCrossfade, MixesBothPicturesForASecondAndEndsExactlyOnTheNewOne) {
  const bool toWindow = GetParam();
  EffectsShow s(false, {true, false}, {Filled(80, 60, kRed), Filled(80, 60, kBlue)}, toWindow);
  const std::vector<Present> presents = s.Run(7'500);
  int mixed = 0, afterFade = 0;
  const auto inPicture = [&](const Present& p) {
    const Rect at = s.show->Motion().destRect;
    return p.window[size_t(at.top + 30) * kScreen.width + size_t(at.left + 40)];
  };
  for (size_t i = 1; i < presents.size(); ++i) {
    const Present& p = presents[i];
    const int64_t sinceSwitch = (p.ms - 1) % 3000;
    if (p.ms > 3000 && sinceSwitch < 1000 && Mixed(inPicture(p))) ++mixed;
    if (p.ms > 3000 && sinceSwitch > 1000 && sinceSwitch < 2900) {
      ++afterFade;
      ASSERT_FALSE(Mixed(inPicture(p))) << p.ms;
    }
  }
  EXPECT_GE(mixed, 60) << "about 60 frames per fade, two fades, the faintest ones not counted";
  EXPECT_GT(afterFade, 20);
  EXPECT_FALSE(s.show->Crossfading());
}

INSTANTIATE_TEST_SUITE_P(PictureToWindowAndInBuffer, StillCrossfade, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "PictureToWindow" : "InBuffer"; });

// With the value a floating fade runs through the layers' oracle; without
// it no frame mixes the two.
TEST_P(Crossfade, WithTheValueEveryFrameIsItsLayers) {
  const auto [floating, toWindow] = GetParam();
  EffectsShow s(floating, {true, false}, {Filled(80, 60, kRed), Filled(80, 60, kBlue)}, toWindow);
  EXPECT_GT(s.Run(7'500).size(), 100u);
}

TEST_P(Crossfade, WithoutTheValueASwitchIsACut) {
  const auto [floating, toWindow] = GetParam();
  EffectsShow s(floating, {}, {Filled(80, 60, kRed), Filled(80, 60, kBlue)}, toWindow);
  for (const Present& p : s.Run(7'500)) {
    const Rect at = s.show->Motion().destRect;
    ASSERT_FALSE(Mixed(p.window[size_t(at.top + 30) * kScreen.width + size_t(at.left + 40)])) << p.ms;
  }
}

INSTANTIATE_TEST_SUITE_P(FloatingAndStill, Crossfade, ::testing::Combine(::testing::Bool(), ::testing::Bool()),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param) ? "Floating" : "Still") +
                                  (std::get<1>(info.param) ? "PictureToWindow" : "InBuffer");
                         });

// A 4:3 picture with detail on a 4:3 screen.
codecs::Image Detailed() {
  codecs::Image img(400, 300);
  for (int32_t y = 0; y < 300; ++y)
    for (int32_t x = 0; x < 400; ++x) img.row(y)[x] = codecs::Rgb(uint8_t(x * 255 / 399), uint8_t(y * 255 / 299), 0x80);
  return img;
}

TEST(PanZoomShow, FillsAScreenOfThePicturesShapeAndMovesOnEveryFrame) {
  EffectsShow s(false, {false, true}, {Detailed()}, true);
  const std::vector<Present> presents = s.Run(4'000);
  ASSERT_GT(presents.size(), 200u);
  size_t moved = 0;
  for (size_t i = 1; i < presents.size(); ++i) {
    if (presents[i].window != presents[i - 1].window) ++moved;
    // No black outside the ticker's green: the picture covers the screen.
    for (int32_t y = 20; y < kScreen.height; y += 7)
      ASSERT_NE(presents[i].window[size_t(y) * kScreen.width + 3], 0u) << presents[i].ms;
  }
  EXPECT_GE(moved, presents.size() * 9 / 10);
}

TEST(PanZoomShow, WithoutTheValueThePictureStandsStill) {
  EffectsShow s(false, {}, {Detailed()}, true);
  const std::vector<Present> presents = s.Run(4'000);
  ASSERT_GT(presents.size(), 10u);
  const auto row = [&](const Present& p) {
    const auto middle = p.window.begin() + kScreen.width * (kScreen.height / 2);
    return std::vector<uint32_t>(middle, middle + kScreen.width);
  };
  for (size_t i = 2; i < presents.size(); ++i) ASSERT_EQ(row(presents[i]), row(presents[1])) << presents[i].ms;
}

TEST(PanZoomShow, FadesIncludedEveryPresentIsTheLayersComposedWhole) {
  EffectsShow s(false, {true, true}, {Detailed(), Filled(90, 160, kBlue), SampleStrip()}, true);
  const std::vector<Present> presents = s.Run(10'000);
  EXPECT_GT(presents.size(), 500u);
}

// Pairs over their backdrops, alone and with pan & zoom, fading: every
// present is still the layers composed whole.
TEST(PairedShow, EveryPresentIsTheLayersComposedWhole) {
  for (const settings::ShowEffects effects :
       {settings::ShowEffects{true, false, true, true}, settings::ShowEffects{true, true, true, true}}) {
    std::vector<codecs::Image> pictures{Filled(30, 60, kRed), Filled(30, 60, kBlue), Filled(30, 60, kRed)};
    for (codecs::Image& picture : pictures) picture.taken = codecs::PhotoDate{2024, 5, 3};
    EffectsShow s(false, effects, pictures, true);
    s.host.pictureSettings = [effects](settings::SaverSettings& settings, settings::PictureList&) {
      settings.picture.folder = "P";
      settings.picture.dateCaption = settings::DateCaption::Western;
      settings.effects = effects;
      return settings::ReadOutcome::Continue;
    };
    EXPECT_GT(s.Run(7'000).size(), 100u);
  }
}

}  // namespace
}  // namespace slideshow
