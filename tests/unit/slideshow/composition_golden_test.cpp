// Scripted runs of the show whose every frame is compared with a frame built
// from first principles: where a bouncing point must be after t steps, which
// frame a strip shows after t ticks, and what of it lies on the screen.
#include <gtest/gtest.h>

#include <memory>

#include "fake_saver_host.h"
#include "slideshow/saver_show.h"

namespace slideshow {
namespace {

using testing::FakeSaverHost;
using testing::SampleStrip;
using testing::TestBuffer;
using testing::Tick;

// A pixel value that names its position in the picture.
uint32_t Mark(int32_t x, int32_t y) { return uint32_t(1000 * y + x + 1); }

codecs::Image Marked(int32_t w, int32_t h) {
  codecs::Image img(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) img.row(y)[x] = Mark(x, y);
  return img;
}

// A point moving 2 pixels a step back and forth over [0, range].
int32_t Bounced(int32_t steps, int32_t range) {
  const int32_t d = (2 * steps) % (2 * range);
  return d <= range ? d : 2 * range - d;
}

// The screen with `source`'s (sx, sy, w, h) region placed at (px, py),
// clipped to the screen and to the source; black elsewhere.
std::vector<uint32_t> Expected(Size screen, int32_t px, int32_t py, int32_t sx, int32_t w, int32_t h,
                               int32_t sourceWidth, int32_t sourceHeight) {
  std::vector<uint32_t> out(size_t(screen.width) * size_t(screen.height), 0);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      const int32_t X = px + x, Y = py + y;
      const bool onScreen = X >= 0 && Y >= 0 && X < screen.width && Y < screen.height;
      if (onScreen && sx + x < sourceWidth && y < sourceHeight)
        out[size_t(Y) * size_t(screen.width) + size_t(X)] = Mark(sx + x, y);
    }
  return out;
}

class GoldenTest : public ::testing::Test {
 protected:
  static constexpr Size kScreen{96, 64};
  void Start(bool floating, const codecs::Image& picture) {
    host.screen = kScreen;
    host.message.floating = floating;
    host.pictureSettings = [](settings::SaverSettings& s, settings::PictureList&) {
      s.picture.folder = "F";
      s.picture.useRegisteredList = false;
      return settings::ReadOutcome::Continue;
    };
    host.directory.AddEntry("F", "p.bmp");
    host.files["F\\p.bmp"] = picture;
    show = std::make_unique<SaverShow>(host, host.timers, counters, host.tickerLine, SaverShowSetup{buffer.view, SampleStrip(), false, &host.supply});
    show->FormCreate();
    show->FormPaint();
  }
  FakeSaverHost host;
  FrameCounters counters;
  TestBuffer buffer{kScreen};
  std::unique_ptr<SaverShow> show;
};

TEST_F(GoldenTest, FloatingPictureTravelsAndBouncesOffAllFourEdges) {
  Start(true, Marked(40, 30));  // fits as it is: ranges 56 and 34
  for (int32_t t = 1; t <= 300; ++t) {
    Tick(*show);
    const auto expected = Expected(kScreen, Bounced(t, 56), Bounced(t, 34), 0, 40, 30, 40, 30);
    ASSERT_EQ(buffer.pixels, expected) << "tick " << t;
  }
}

TEST_F(GoldenTest, StandingStripStepsItsFramesInTheCentre) {
  Start(false, Marked(48, 12));  // four 12 x 12 frames, centred at (42, 26)
  for (int32_t t = 1; t <= 300; ++t) {
    Tick(*show);
    const int32_t frame = (t / 21) % 4;
    ASSERT_EQ(buffer.pixels, Expected(kScreen, 42, 26, 12 * frame, 12, 12, 48, 12)) << "tick " << t;
  }
}

TEST_F(GoldenTest, StripHigherThanTheScreenIsClippedAtTheBottom) {
  Start(false, Marked(320, 80));  // frames of 80 x 80: x = 8, y = 0, 16 rows off screen
  for (int32_t t = 1; t <= 100; ++t) {
    Tick(*show);
    const int32_t frame = (t / 21) % 4;
    ASSERT_EQ(buffer.pixels, Expected(kScreen, 8, 0, 80 * frame, 80, 80, 320, 80)) << "tick " << t;
  }
}

TEST_F(GoldenTest, StripAfterALongerOneGoesOnFromTheOldFrameIndex) {
  counters.frameIndex = 9;  // left by a 10-frame strip
  Start(false, Marked(48, 12));
  for (int32_t t = 1; t <= 20; ++t) Tick(*show);
  ASSERT_EQ(buffer.pixels, Expected(kScreen, 42, 26, 0, 12, 12, 48, 12));  // frame 0 until the step
  Tick(*show);
  ASSERT_EQ(buffer.pixels, Expected(kScreen, 42, 26, 0, 12, 12, 48, 12));  // 9 + 1 wraps to 0
  for (int32_t t = 1; t <= 21; ++t) Tick(*show);
  ASSERT_EQ(buffer.pixels, Expected(kScreen, 42, 26, 12, 12, 12, 48, 12));
}

}  // namespace
}  // namespace slideshow
