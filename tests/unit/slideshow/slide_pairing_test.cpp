#include "slideshow/slide_pairing.h"

#include <gtest/gtest.h>

namespace slideshow {
namespace {

constexpr Size kLandscapeScreen{1920, 1080};
constexpr Size kPortraitScreen{1080, 1920};

const codecs::PictureHeader kPortrait{true, {3024, 4032}};
const codecs::PictureHeader kLandscape{true, {4032, 3024}};
const codecs::PictureHeader kSquare{true, {2000, 2000}};
const codecs::PictureHeader kStrip{true, {400, 100}};
const codecs::PictureHeader kUnread{};

struct PairCase {
  const char* what;
  Size screen;
  codecs::PictureHeader current;
  std::optional<codecs::PictureHeader> next;
  bool pair;
};

class PairingRule : public ::testing::TestWithParam<PairCase> {};

TEST_P(PairingRule, PairsTwoPicturesThatEachFillAHalf) {
  const PairCase& c = GetParam();
  EXPECT_EQ(ShowsAsPair(c.screen, c.current, c.next), c.pair) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Picks, PairingRule,
    ::testing::Values(PairCase{"portrait then portrait", kLandscapeScreen, kPortrait, kPortrait, true},
                      PairCase{"portrait then landscape", kLandscapeScreen, kPortrait, kLandscape, false},
                      PairCase{"landscape then portrait", kLandscapeScreen, kLandscape, kPortrait, false},
                      PairCase{"landscape then landscape", kLandscapeScreen, kLandscape, kLandscape, false},
                      PairCase{"a square is no portrait", kLandscapeScreen, kPortrait, kSquare, false},
                      PairCase{"a lone last portrait", kLandscapeScreen, kPortrait, std::nullopt, false},
                      PairCase{"an unread header counts as landscape", kLandscapeScreen, kPortrait, kUnread, false},
                      PairCase{"unread first", kLandscapeScreen, kUnread, kPortrait, false},
                      PairCase{"portrait screen: landscape pair", kPortraitScreen, kLandscape, kLandscape, true},
                      PairCase{"portrait screen: square counts", kPortraitScreen, kSquare, kLandscape, true},
                      PairCase{"portrait screen: portraits alone", kPortraitScreen, kPortrait, kPortrait, false},
                      PairCase{"portrait screen: mixed", kPortraitScreen, kLandscape, kPortrait, false},
                      PairCase{"portrait screen: lone last", kPortraitScreen, kLandscape, std::nullopt, false},
                      PairCase{"portrait screen: unread stays alone", kPortraitScreen, kUnread, kLandscape, false},
                      PairCase{"a strip plays alone", kPortraitScreen, kLandscape, kStrip, false}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

struct LayoutCase {
  Size screen;
  Size first, second;
  PairLayout expected;
};

class PairGeometry : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(PairGeometry, FitsEachPictureToItsHalfLessTheGapCentred) {
  const LayoutCase& c = GetParam();
  EXPECT_EQ(LayOutPair(c.screen, c.first, c.second), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, PairGeometry,
    ::testing::Values(
        // Side by side, gap 18: each half 960 wide, the photos 1062 high.
        LayoutCase{{1920, 1080}, {3000, 4000}, {3024, 4032},
                   {{{0, 0, 960, 1080}, {82, 9, 878, 1071}}, {{960, 0, 1920, 1080}, {1042, 9, 1838, 1071}}}},
        // Pictures smaller than their halves keep their size, centred.
        LayoutCase{{1920, 1080}, {300, 400}, {600, 900},
                   {{{0, 0, 960, 1080}, {330, 340, 630, 740}}, {{960, 0, 1920, 1080}, {1140, 90, 1740, 990}}}},
        // A wide portrait that meets its half's sides first.
        LayoutCase{{1920, 1080}, {1000, 1010}, {3000, 4000},
                   {{{0, 0, 960, 1080}, {9, 64, 951, 1015}}, {{960, 0, 1920, 1080}, {1042, 9, 1838, 1071}}}},
        // An odd screen: halves of 683, gap 12.
        LayoutCase{{1366, 768}, {3000, 4000}, {3000, 4000},
                   {{{0, 0, 683, 768}, {58, 6, 625, 762}}, {{683, 0, 1366, 768}, {741, 6, 1308, 762}}}},
        // Stacked on a portrait screen, gap 10: each half 960 high.
        LayoutCase{{1080, 1920}, {4000, 3000}, {1600, 1200},
                   {{{0, 0, 1080, 960}, {5, 79, 1075, 881}}, {{0, 960, 1080, 1920}, {5, 1039, 1075, 1841}}}}));

}  // namespace
}  // namespace slideshow
