// Pairs and the backdrop as a user sees them on a landscape screen: with
// fgPairs two portraits stand side by side, one in each half, and without it
// one stands alone in the centre with black on both sides; with fgBackdrop
// the sides of a portrait show a darkened copy of its own colour.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/wine/driver/wait.h"
#include "tests/wine/slideshow/screen_pixels.h"
#include "tests/wine/slideshow/show_fixture.h"
#include "tests/wine/slideshow/test_pictures.h"

namespace slideshow_test {
namespace {

constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF, kGreen = 0x00FF00, kYellow = 0xFFFF00;

struct ScreenPoints {
  int32_t width, height;
  POINT Centre() const { return {width / 2, height / 2}; }
  POINT LeftHalf() const { return {width / 4, height / 2}; }
  POINT RightHalf() const { return {width * 3 / 4, height / 2}; }
  POINT Side() const { return {width / 40, height / 2}; }
};

ScreenPoints Points() {
  const RECT screen = ScreenRect();
  return {screen.right - screen.left, screen.bottom - screen.top};
}

uint32_t At(POINT p) { return ScreenPixel(p.x, p.y); }

bool IsPicture(uint32_t rgb) { return rgb == kRed || rgb == kBlue || rgb == kGreen || rgb == kYellow; }

// Four portraits, each narrower than a fifth of the screen; their colours
// in the order the folder lists them.
std::vector<uint32_t> WritePortraits(const TempFolder& folder) {
  const ScreenPoints s = Points();
  const int32_t w = s.width / 6, h = s.height * 2 / 3;
  const std::map<std::wstring, uint32_t> colours{{L"a.bmp", kRed}, {L"b.bmp", kBlue}, {L"c.bmp", kGreen}, {L"d.bmp", kYellow}};
  for (const auto& [name, rgb] : colours) WriteSolidBmp(folder.File(name), w, h, rgb);
  std::vector<uint32_t> order;
  for (const std::wstring& name : SearchOrder(folder.File(L"*.bmp"))) order.push_back(colours.at(name));
  return order;
}

TEST(Pairs, FourPortraitsShowTwoSideBySideWithFgPairs) {
  TempFolder folder;
  const std::vector<uint32_t> order = WritePortraits(folder);
  ASSERT_EQ(order.size(), 4u);
  RunningShow show({.folder = folder.Path(), .switchSeconds = 2, .pairs = 1});
  const ScreenPoints s = Points();
  std::set<uint32_t> lefts, rights;
  const ULONGLONG end = ::GetTickCount64() + 7000;
  ASSERT_TRUE(driver::WaitUntil([&] { return IsPicture(At(s.LeftHalf())); }, kStartTimeoutMs));
  while (::GetTickCount64() < end) {
    const ScreenShot shot;
    const uint32_t left = shot.At(s.LeftHalf().x, s.LeftHalf().y), right = shot.At(s.RightHalf().x, s.RightHalf().y);
    if (IsPicture(left) && IsPicture(right)) {
      EXPECT_NE(left, right) << "two pictures, one in each half";
      EXPECT_EQ(shot.At(s.Centre().x, s.Centre().y), 0u) << "the gap between them";
      lefts.insert(left);
      rights.insert(right);
    }
    ::Sleep(50);
  }
  EXPECT_EQ(lefts, (std::set<uint32_t>{order[0], order[2]})) << "each switch goes on after the second of the pair";
  EXPECT_EQ(rights, (std::set<uint32_t>{order[1], order[3]}));
}

TEST(Pairs, WithoutFgPairsAPortraitStandsAloneInTheCentre) {
  TempFolder folder;
  WritePortraits(folder);
  RunningShow show({.folder = folder.Path(), .switchSeconds = 2});
  const ScreenPoints s = Points();
  ASSERT_TRUE(driver::WaitUntil([&] { return IsPicture(At(s.Centre())); }, kStartTimeoutMs));
  const ScreenShot shot;
  EXPECT_EQ(shot.At(s.LeftHalf().x, s.LeftHalf().y), 0u);
  EXPECT_EQ(shot.At(s.RightHalf().x, s.RightHalf().y), 0u);
}

TEST(Backdrop, APortraitWithFgBackdropHasSidesOfItsOwnColour) {
  TempFolder folder;
  const ScreenPoints s = Points();
  WriteSolidBmp(folder.File(L"a.bmp"), s.width / 6, s.height * 2 / 3, kRed);
  RunningShow show({.folder = folder.Path(), .switchSeconds = 20, .backdrop = 1});
  ASSERT_TRUE(driver::WaitUntil([&] { return At(s.Centre()) == kRed; }, kStartTimeoutMs));
  ASSERT_TRUE(driver::WaitUntil([&] { return At(s.Side()) != 0; }, 2000)) << "the side is not black";
  const uint32_t side = At(s.Side());
  EXPECT_NEAR(double(side >> 16 & 0xFF), 128, 8) << std::hex << side << ": red, darkened to half";
  EXPECT_LT(side & 0xFFFF, 0x0808u);
}

}  // namespace
}  // namespace slideshow_test
