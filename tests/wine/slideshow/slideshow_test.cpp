// The slideshow of the real saver, full screen, as it appears on the screen:
// pictures of a folder or of the registered list in turn at the switching
// time, centred or floating, the sample strip when there is nothing to show,
// and the ticker over the picture.
#include <gtest/gtest.h>

#include <map>

#include "tests/wine/driver/wait.h"
#include "tests/wine/slideshow/screen_pixels.h"
#include "tests/wine/slideshow/show_fixture.h"
#include "tests/wine/slideshow/test_pictures.h"

namespace slideshow_test {
namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kMagenta = 0xFF00FF;
constexpr int32_t kPictureW = 160, kPictureH = 120;

POINT ScreenCentre() {
  const RECT s = ScreenRect();
  return {s.right / 2, s.bottom / 2};
}

RECT CentredRect(int32_t w, int32_t h) {
  const RECT s = ScreenRect();
  const LONG left = (s.right - w) / 2, top = (s.bottom - h) / 2;
  return {left, top, left + w, top + h};
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
         std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

// Watches the centre through `expected` and checks that each picture stands
// centred at its own size and that the switches come about a second apart.
void ExpectShownInTurn(const std::vector<uint32_t>& expected) {
  const RECT centred = CentredRect(kPictureW, kPictureH);
  std::vector<std::string> misplaced;
  const std::vector<Shown> shown = WatchPixel(ScreenCentre(), expected.size(), 12000, [&](uint32_t rgb) {
    const std::optional<RECT> at = ScreenShot().BoundsOf(Is(rgb));
    if (!at || !SameRect(*at, centred)) misplaced.push_back(at ? Describe(*at) : "nowhere");
  });
  ASSERT_EQ(shown.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(shown[i].rgb, expected[i]) << "picture " << i;
  EXPECT_TRUE(misplaced.empty()) << "a picture stood at " << misplaced.front() << " instead of "
                                 << Describe(centred);
  // SCRtime 1: a switch a second, give or take a busy machine.
  for (size_t i = 2; i < shown.size(); ++i) {
    const ULONGLONG gap = shown[i].sinceMs - shown[i - 1].sinceMs;
    EXPECT_GE(gap, 600u) << "switch " << i;
    EXPECT_LE(gap, 2500u) << "switch " << i;
  }
}

TEST(StillFolder, EachPictureCentredInTurnEverySwitchThenFromTheStart) {
  TempFolder folder;
  const std::map<std::wstring, uint32_t> colours{{L"a.bmp", kRed}, {L"b.bmp", kGreen}, {L"c.bmp", kBlue}};
  for (const auto& [name, rgb] : colours) WriteSolidBmp(folder.File(name), kPictureW, kPictureH, rgb);
  std::vector<uint32_t> expected;
  for (const std::wstring& name : SearchOrder(folder.Path() + L"\\*.bmp")) expected.push_back(colours.at(name));
  ASSERT_EQ(expected.size(), 3u);
  expected.push_back(expected.front());

  RunningShow show({.folder = folder.Path(), .floating = false, .switchSeconds = 1});
  ExpectShownInTurn(expected);
}

TEST(RegisteredList, ShowsTheRegisteredFilesInTheirOrder) {
  TempFolder folder;
  WriteSolidBmp(folder.File(L"a.bmp"), kPictureW, kPictureH, kRed);
  WriteSolidBmp(folder.File(L"b.bmp"), kPictureW, kPictureH, kGreen);
  WriteSolidBmp(folder.File(L"c.bmp"), kPictureW, kPictureH, kBlue);
  // The folder holds other pictures: registered mode must not look at it.
  WriteSolidBmp(folder.File(L"d.bmp"), kPictureW, kPictureH, kMagenta);
  RunningShow show({.folder = folder.Path(),
                    .floating = false,
                    .switchSeconds = 1,
                    .registered = {folder.File(L"c.bmp"), folder.File(L"a.bmp"), folder.File(L"b.bmp")}});
  ExpectShownInTurn({kBlue, kRed, kGreen, kBlue});
}

TEST(Floating, ThePictureTravelsDiagonallyAtItsSize) {
  TempFolder folder;
  WriteSolidBmp(folder.File(L"only.bmp"), 120, 90, kMagenta);
  RunningShow show({.folder = folder.Path(), .floating = true, .switchSeconds = 100});
  std::optional<RECT> first, later;
  ASSERT_TRUE(driver::WaitUntil([&] { return (first = ScreenShot().BoundsOf(Is(kMagenta))).has_value(); },
                                kStartTimeoutMs));
  ASSERT_TRUE(driver::WaitUntil(
      [&] {
        later = ScreenShot().BoundsOf(Is(kMagenta));
        return later && later->left >= first->left + 10;
      },
      5000))
      << "the picture stayed at " << Describe(*first);
  EXPECT_EQ(later->right - later->left, 120);
  EXPECT_EQ(later->bottom - later->top, 90);
  // Right and down, two pixels on each axis per tick, far from any edge.
  EXPECT_EQ(later->left - first->left, later->top - first->top);
}

TEST(EmptyFolder, TheSampleStripStandsCentredAndAnimates) {
  TempFolder folder;
  RunningShow show({.folder = folder.Path(), .floating = false, .switchSeconds = 100});
  const RECT frame = CentredRect(32, 32);
  std::optional<ScreenShot> first;
  ASSERT_TRUE(driver::WaitUntil(
      [&] {
        first.emplace(frame);
        return first->Count(NotBlack()) > 50;
      },
      kStartTimeoutMs))
      << "no sample picture at the centre";
  const std::optional<RECT> all = ScreenShot().BoundsOf(NotBlack());
  ASSERT_TRUE(all.has_value());
  EXPECT_TRUE(all->left >= frame.left && all->top >= frame.top && all->right <= frame.right &&
              all->bottom <= frame.bottom)
      << "something beside the 32 x 32 frame at the centre: " << Describe(*all);
  // A frame step every 21 ticks of 50 ms.
  EXPECT_TRUE(driver::WaitUntil([&] { return !(ScreenShot(frame) == *first); }, 5000))
      << "the strip does not animate";
}

TEST(Ticker, TheMessageRunsOverThePicture) {
  TempFolder folder;
  const RECT screen = ScreenRect();
  const int32_t w = screen.right - 24, h = screen.bottom - 68;
  WriteSolidBmp(folder.File(L"large.bmp"), w, h, kBlue);
  // Full-width squares in a big font: solid glyphs, and a face that shows
  // Japanese must have been found for them to be squares at all.
  RunningShow show({.folder = folder.Path(),
                    .floating = false,
                    .switchSeconds = 100,
                    .message = L"■■■■■■■■",
                    .fontSize = 72});
  const RECT picture = CentredRect(w, h);
  int64_t green = 0;
  EXPECT_TRUE(driver::WaitUntil(
      [&] {
        const ScreenShot shot(picture);
        green = shot.Count(Is(kGreen));
        return green > 3000 && shot.Count(Is(kBlue)) > 0;
      },
      20000))
      << green << " pixels of the text colour over the picture";
  // The first pass runs one line down, in the upper part of the screen.
  const std::optional<RECT> text = ScreenShot(picture).BoundsOf(Is(kGreen));
  ASSERT_TRUE(text.has_value());
  EXPECT_LT(text->top + picture.top, screen.bottom / 2) << Describe(*text);
}

}  // namespace
}  // namespace slideshow_test
