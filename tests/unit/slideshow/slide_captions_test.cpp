// Each photo's date at the bottom right of its part of the screen: drawn
// into a still slide's picture once, a line over pan & zoom, and the one
// caption of the screen for a picture shown as always.
#include "slideshow/slide_captions.h"

#include <gtest/gtest.h>

#include <vector>

#include "fake_saver_host.h"

namespace slideshow {
namespace {

using testing::Filled;
using testing::TestBuffer;

constexpr Size kScreen{400, 300};
constexpr Rect kLeft{0, 0, 200, 300}, kRight{200, 0, 400, 300}, kWhole{0, 0, 400, 300};
const codecs::PhotoDate kDay{2024, 5, 3};

// A glyph box per character, 6 x 10.
TextMask Boxes(const std::string&, int32_t, const std::string& text) {
  TextMask mask{6 * int32_t(text.size()), 10, {}};
  mask.coverage.assign(size_t(mask.width) * 10, 255);
  return mask;
}
std::string Text(const std::optional<codecs::PhotoDate>& day) { return day ? "day" : ""; }

// The white of a caption within `area`'s bottom right corner of `pixels`.
bool CaptionAt(const codecs::Image& pixels, Rect area) {
  const CaptionMeasures m = CaptionMeasuresFor(kScreen);
  return pixels.row(area.bottom - m.margin - m.outline - 2)[area.right - m.margin - m.outline - 2] == 0xFFFFFF;
}

struct CaptionCase {
  const char* what;
  DisplayMethod method;
  std::vector<LaidOutPhoto> photos;
  std::vector<Rect> drawnIn;      // corners whose caption is drawn into the picture
  Rect first, second;             // where the lines stand (empty: none)
  std::vector<LaidOutPhoto> before = {};  // the photos of the slide before
};

class SlideCaptions : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(SlideCaptions, StandAtTheBottomRightOfEachPhotosPart) {
  const CaptionCase& c = GetParam();
  TestBuffer buffer(kScreen);
  Slide slide(buffer.view);
  if (!c.before.empty()) ShowSlideCaptions(slide, kDay, c.before, c.method, Text, "face", Boxes);
  slide.picture.pictureBitmap = Filled(kScreen.width, kScreen.height, 0x404040);
  ShowSlideCaptions(slide, kDay, c.photos, c.method, Text, "face", Boxes);
  for (const Rect& area : {kLeft, kRight})
    EXPECT_EQ(CaptionAt(slide.picture.pictureBitmap, area), std::count(c.drawnIn.begin(), c.drawnIn.end(), area) == 1);
  const auto standsIn = [](const PhotoCaption& caption, Rect area) {
    if (area.empty()) return caption.Bounds().empty();
    const CaptionMeasures m = CaptionMeasuresFor(kScreen);
    return caption.Bounds().right == area.right - m.margin && caption.Bounds().bottom == area.bottom - m.margin;
  };
  EXPECT_TRUE(standsIn(slide.caption, c.first));
  EXPECT_TRUE(standsIn(slide.secondCaption, c.second));
}

INSTANTIATE_TEST_SUITE_P(
    Slides, SlideCaptions,
    ::testing::Values(CaptionCase{"a picture as always", DisplayMethod::Still, {}, {}, kWhole, {}},
                      CaptionCase{"a still pair", DisplayMethod::Still, {{kLeft, kDay}, {kRight, kDay}}, {kLeft, kRight}, {}, {}},
                      CaptionCase{"a still pair, one undated", DisplayMethod::Still, {{kLeft, std::nullopt}, {kRight, kDay}}, {kRight}, {}, {}},
                      CaptionCase{"a pair in pan & zoom", DisplayMethod::PanZoom, {{kLeft, kDay}, {kRight, kDay}}, {}, kLeft, kRight},
                      CaptionCase{"one over its backdrop in pan & zoom", DisplayMethod::PanZoom, {{kWhole, kDay}}, {}, kWhole, {}},
                      // A slide that follows a pair puts its caption back in the screen's corner.
                      CaptionCase{"a picture after a pair", DisplayMethod::PanZoom, {}, {}, kWhole, {}, {{kLeft, kDay}, {kRight, kDay}}}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

}  // namespace
}  // namespace slideshow
