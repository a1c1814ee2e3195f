// The caption's measures on screens of every size, and what it does to the
// pixels under it: white where the text covers them, dark around the text,
// nothing elsewhere.
#include "slideshow/photo_caption.h"

#include <gtest/gtest.h>

#include <vector>

namespace slideshow {
namespace {

struct MeasureCase {
  int32_t screenHeight;
  CaptionMeasures expected;
};

class CaptionMeasuresOn : public ::testing::TestWithParam<MeasureCase> {};

TEST_P(CaptionMeasuresOn, FollowTheScreensHeight) {
  const CaptionMeasures m = CaptionMeasuresFor({1, GetParam().screenHeight});
  EXPECT_EQ(m.textHeight, GetParam().expected.textHeight);
  EXPECT_EQ(m.margin, GetParam().expected.margin);
  EXPECT_EQ(m.outline, GetParam().expected.outline);
}

INSTANTIATE_TEST_SUITE_P(Screens, CaptionMeasuresOn,
                         ::testing::Values(MeasureCase{120, {12, 2, 1}}, MeasureCase{768, {21, 15, 1}},
                                           MeasureCase{1080, {30, 22, 2}}, MeasureCase{2160, {60, 43, 4}}));

// A 4 x 2 mask for every text: its left half fully covered.
TextMask HalfCovered(const std::string&, int32_t, const std::string&) {
  return {4, 2, {255, 255, 0, 0, 255, 255, 0, 0}};
}

struct Screen {
  std::vector<uint32_t> pixels = std::vector<uint32_t>(40 * 120, 0x406080);
  PixelView view{pixels.data(), 40, 120, 40};
};

TEST(PhotoCaption, StandsInTheBottomRightCornerWhiteWithADarkOutline) {
  Screen s;
  PhotoCaption caption(s.view);
  caption.Show("2024年5月3日（金）", "Face", HalfCovered);
  // 120 high: margin 2, outline 1; the mask grown by the outline is 6 x 4.
  EXPECT_EQ(caption.Bounds(), (Rect{32, 114, 38, 118}));
  const TextLayer line = caption.Line();
  EXPECT_EQ(line.bounds, caption.Bounds());
  line.draw();
  const auto at = [&](int x, int y) { return s.pixels[size_t(y) * 40 + size_t(x)]; };
  EXPECT_EQ(at(33, 115), 0xFFFFFFu) << "the text";
  EXPECT_EQ(at(34, 116), 0xFFFFFFu);
  EXPECT_EQ(at(32, 115), 0x000000u) << "the outline";
  EXPECT_EQ(at(35, 115), 0x000000u);
  EXPECT_EQ(at(37, 115), 0x406080u) << "beyond the outline";
  EXPECT_EQ(at(31, 115), 0x406080u) << "outside the caption";
  EXPECT_EQ(at(33, 119), 0x406080u) << "the margin";
}

TEST(PhotoCaption, ANewTextIsANewRevisionAndNoTextDrawsNothing) {
  Screen s;
  PhotoCaption caption(s.view);
  int renders = 0;
  const RenderTextMask counted = [&](const std::string& f, int32_t h, const std::string& t) {
    ++renders;
    return HalfCovered(f, h, t);
  };
  caption.Show("a", "Face", counted);
  const uint64_t first = caption.Line().revision;
  caption.Show("a", "Face", counted);
  EXPECT_EQ(caption.Line().revision, first);
  EXPECT_EQ(renders, 1) << "the same text is not rendered again";
  caption.Show("b", "Face", counted);
  EXPECT_NE(caption.Line().revision, first);
  caption.Show("", "Face", counted);
  EXPECT_TRUE(caption.Line().bounds.empty());
  EXPECT_FALSE(caption.Line().draw);
  EXPECT_EQ(renders, 2);
}

}  // namespace
}  // namespace slideshow
