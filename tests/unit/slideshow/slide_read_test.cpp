// The reader's slide: which picks share it, what it is laid out as, and that
// each picture is decoded once, whatever the choices and the screen.
#include "slideshow/slide_read.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "fake_saver_host.h"
#include "memory_pictures.h"

namespace slideshow {
namespace {

using testing::Filled;
using testing::SampleStrip;

constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF, kGreen = 0x00FF00;

struct Files : testing::MemoryPictures {
  Files() {
    pictures = {{"tall-red", Filled(60, 90, kRed)},       {"tall-blue", Filled(60, 90, kBlue)},
                {"wide-green", Filled(120, 80, kGreen)},  {"wide-blue", Filled(120, 80, kBlue)},
                {"screen-shaped", Filled(160, 80, kGreen)}, {"strip", SampleStrip()}};
  }
  std::optional<FittedPicture> Read(const std::string& path, const std::string& next, DisplayMethod method, Size screen,
                                    SlideChoices choices) {
    return ReadSlide(Decode(), Header(), path, next, method, screen, choices);
  }
};

constexpr Size kWide{200, 100}, kTall{100, 200};

struct SlideCase {
  const char* what;
  Size screen;
  const char* path;
  const char* next;
  DisplayMethod method;
  SlideChoices choices;
  int32_t span;
  bool laidOut;  // one screen-sized picture with its photos' places
};

class SlideReading : public ::testing::TestWithParam<SlideCase> {};

TEST_P(SlideReading, PairsByTheRuleAndDecodesEachPictureOnce) {
  const SlideCase& c = GetParam();
  Files files;
  const std::optional<FittedPicture> read = files.Read(c.path, c.next, c.method, c.screen, c.choices);
  ASSERT_EQ(read.has_value(), std::string(c.path) != "gone");
  if (!read) return;
  EXPECT_EQ(read->Span(), c.span);
  EXPECT_EQ(read->photos.size(), c.laidOut ? size_t(c.span) : 0u);
  if (c.laidOut) {
    EXPECT_EQ(read->fitted, c.screen);
  }
  for (const auto& [path, count] : files.decodes) EXPECT_EQ(count, 1) << path;
  EXPECT_EQ(files.decodes.count(c.next), c.span == 2 ? 1u : 0u) << "the next pick is read only for a pair";
}

constexpr DisplayMethod kStill = DisplayMethod::Still, kPanZoom = DisplayMethod::PanZoom,
                        kFloating = DisplayMethod::Floating;
constexpr SlideChoices kPairs{true, false}, kBackdrop{false, true}, kBoth{true, true}, kNeither{};

INSTANTIATE_TEST_SUITE_P(
    Choices, SlideReading,
    ::testing::Values(SlideCase{"portrait then portrait", kWide, "tall-red", "tall-blue", kStill, kPairs, 2, true},
                      SlideCase{"with pan & zoom", kWide, "tall-red", "tall-blue", kPanZoom, kBoth, 2, true},
                      SlideCase{"portrait then landscape", kWide, "tall-red", "wide-green", kStill, kPairs, 1, false},
                      SlideCase{"a lone last portrait", kWide, "tall-red", "", kStill, kPairs, 1, false},
                      SlideCase{"without the value", kWide, "tall-red", "tall-blue", kStill, kNeither, 1, false},
                      SlideCase{"a next one that cannot be read", kWide, "tall-red", "gone", kStill, kPairs, 1, false},
                      SlideCase{"a first one that cannot be read", kWide, "gone", "tall-blue", kStill, kPairs, 1, false},
                      SlideCase{"portrait monitor stacks landscapes", kTall, "wide-green", "wide-blue", kStill, kBoth, 2, true},
                      SlideCase{"a backdrop alone", kWide, "tall-red", "tall-blue", kStill, kBackdrop, 1, true},
                      SlideCase{"a backdrop under pan & zoom's fit", kWide, "tall-red", "", kPanZoom, kBackdrop, 1, true},
                      SlideCase{"pan & zoom covers: no backdrop", kWide, "screen-shaped", "", kPanZoom, kBackdrop, 1, false},
                      SlideCase{"a strip plays as always", kWide, "strip", "", kStill, kBoth, 1, false}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(SlideChoicesFor, FloatingTakesNeither) {
  const settings::ShowEffects both{false, false, true, true};
  EXPECT_EQ(SlideChoicesFor(kFloating, both), kNeither);
  EXPECT_EQ(SlideChoicesFor(kStill, both), kBoth);
  EXPECT_EQ(SlideChoicesFor(kPanZoom, both), kBoth);
}

// A pair stands in its halves, each picture centred whole less the gap, a
// lone portrait in the whole screen; the rest is black, or its own picture's
// backdrop: the picture darkened to half.
TEST(LaidOutSlide, PhotosStandInTheirPartsOverBlackOrTheirBackdrops) {
  const struct {
    const char* next;
    SlideChoices choices;
    std::vector<Rect> areas;
    std::vector<std::tuple<int32_t, int32_t, uint32_t>> pixels;  // a half of 0x80 within 3, others exact
  } cases[] = {
      {"tall-blue", kPairs, {{0, 0, 100, 100}, {100, 0, 200, 100}}, {{50, 50, kRed}, {150, 50, kBlue}, {5, 50, 0}, {195, 50, 0}}},
      {"tall-blue", kBoth, {{0, 0, 100, 100}, {100, 0, 200, 100}}, {{50, 50, kRed}, {150, 50, kBlue}, {5, 50, 0x800000}, {195, 50, 0x80}}},
      {"", kBackdrop, {{0, 0, 200, 100}}, {{100, 50, kRed}, {3, 50, 0x800000}, {196, 2, 0x800000}}},
  };
  for (const auto& c : cases) {
    Files files;
    const std::optional<FittedPicture> read = files.Read("tall-red", c.next, kStill, kWide, c.choices);
    ASSERT_TRUE(read);
    std::vector<Rect> areas;
    for (const LaidOutPhoto& photo : read->photos) areas.push_back(photo.area);
    EXPECT_EQ(areas, c.areas);
    for (const auto& [x, y, expected] : c.pixels)
      for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t want = expected >> shift & 0xFF;
        EXPECT_NEAR(double(read->bitmap.row(y)[x] >> shift & 0xFF), double(want), want == 0x80 ? 3 : 0) << x << ", " << y;
      }
  }
}

}  // namespace
}  // namespace slideshow
