// The show's effects as a user sees them on the screen: a crossfade mixes
// the red and the blue picture at a switch, and without fgFade a switch is a
// cut; pan & zoom fills a screen of the picture's shape and moves it, and
// without fgPanZoom the picture stands still.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/wine/driver/wait.h"
#include "tests/wine/slideshow/screen_pixels.h"
#include "tests/wine/slideshow/show_fixture.h"
#include "tests/wine/slideshow/test_pictures.h"

namespace slideshow_test {
namespace {

constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF;

bool Mixed(uint32_t rgb) { return (rgb >> 16 & 0xFF) > 30 && (rgb & 0xFF) > 30; }

// Samples the screen's centre over two switches: how many samples showed a
// mix of red and blue, and whether both pictures were seen.
int MixedSamples(DWORD fade) {
  TempFolder folder;
  WriteSolidBmp(folder.File(L"a.bmp"), 200, 150, kRed);
  WriteSolidBmp(folder.File(L"b.bmp"), 200, 150, kBlue);
  RunningShow show({.folder = folder.Path(), .switchSeconds = 3, .fade = fade});
  const RECT screen = ScreenRect();
  const int32_t cx = (screen.right - screen.left) / 2, cy = (screen.bottom - screen.top) / 2;
  EXPECT_TRUE(driver::WaitUntil([&] { return ScreenPixel(cx, cy) == kRed; }, kStartTimeoutMs));
  int mixed = 0;
  bool blue = false;
  const ULONGLONG end = ::GetTickCount64() + 7000;
  while (::GetTickCount64() < end) {
    const uint32_t rgb = ScreenPixel(cx, cy);
    mixed += Mixed(rgb) ? 1 : 0;
    blue = blue || rgb == kBlue;
    ::Sleep(5);
  }
  EXPECT_TRUE(blue) << "the second picture came";
  return mixed;
}

TEST(Crossfade, AStillShowWithFgFadeMixesTheTwoPicturesAtASwitch) { EXPECT_GE(MixedSamples(1), 5); }

TEST(Crossfade, WithoutFgFadeASwitchIsACut) { EXPECT_EQ(MixedSamples(0), 0); }

// A picture of the screen's shape with detail everywhere, so any move shows.
std::wstring ScreenShapedPicture(const TempFolder& folder) {
  const RECT screen = ScreenRect();
  const int32_t w = (screen.right - screen.left) / 2, h = (screen.bottom - screen.top) / 2;
  const std::wstring path = folder.File(L"wide.bmp");
  WriteBmp(path, w, h, [](int32_t x, int32_t y) {
    return uint32_t(((x * 7) & 0xFF) << 16 | ((y * 5) & 0xFF) << 8 | 0x40);
  });
  return path;
}

TEST(PanZoom, FillsAScreenOfThePicturesShapeAndMovesIt) {
  TempFolder folder;
  ScreenShapedPicture(folder);
  RunningShow show({.folder = folder.Path(), .switchSeconds = 20, .panZoom = 1});
  ASSERT_TRUE(driver::WaitUntil([&] { return ScreenShot().Count(Is(kBlack)) == 0; }, kStartTimeoutMs))
      << "the picture covers the whole screen";
  const ScreenShot first;
  EXPECT_TRUE(driver::WaitUntil([&] { return !(ScreenShot() == first); }, 2000)) << "and moves";
  EXPECT_EQ(ScreenShot().Count(Is(kBlack)), 0);
}

TEST(PanZoom, WithoutFgPanZoomThePictureStandsStill) {
  TempFolder folder;
  ScreenShapedPicture(folder);
  RunningShow show({.folder = folder.Path(), .switchSeconds = 20});
  ASSERT_TRUE(driver::WaitUntil([&] { return ScreenShot().Count(NotBlack()) > 1000; }, kStartTimeoutMs));
  ::Sleep(300);
  const ScreenShot first;
  ::Sleep(1500);
  EXPECT_TRUE(ScreenShot() == first);
  EXPECT_GT(first.Count(Is(kBlack)), 0) << "shown at its own size, black around";
}

}  // namespace
}  // namespace slideshow_test
