#include "slideshow/composition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace slideshow {
namespace {

// A 6 x 4 buffer inside a wider allocation, so stride mistakes show.
struct Buffer {
  static constexpr uint32_t kGuard = 0xDEADBEEF;
  std::vector<uint32_t> memory = std::vector<uint32_t>(8 * 4, kGuard);
  PixelView view{memory.data(), 6, 4, 8};
  uint32_t at(int x, int y) const { return memory[size_t(y) * 8 + size_t(x)]; }
  bool GuardsIntact() const {
    for (int y = 0; y < 4; ++y)
      if (at(6, y) != kGuard || at(7, y) != kGuard) return false;
    return true;
  }
};

codecs::Image Numbered(int32_t w, int32_t h) {
  codecs::Image img(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) img.row(y)[x] = uint32_t(100 * (y + 1) + x + 1);
  return img;
}

TEST(ClearBackBuffer, BlackensOnlyTheView) {
  Buffer b;
  ClearBackBuffer(b.view);
  EXPECT_EQ(b.at(0, 0), 0u);
  EXPECT_EQ(b.at(5, 3), 0u);
  EXPECT_TRUE(b.GuardsIntact());
}

TEST(CopyPictureToBuffer, CopiesOneToOne) {
  Buffer b;
  ClearBackBuffer(b.view);
  CopyPictureToBuffer(b.view, Numbered(3, 2), {0, 0, 3, 2}, {2, 1, 5, 3});
  EXPECT_EQ(b.at(2, 1), 101u);
  EXPECT_EQ(b.at(4, 2), 203u);
  EXPECT_EQ(b.at(1, 1), 0u);
  EXPECT_EQ(b.at(5, 1), 0u);
}

TEST(CopyPictureToBuffer, ClipsAtEveryBufferEdge) {
  Buffer b;
  ClearBackBuffer(b.view);
  CopyPictureToBuffer(b.view, Numbered(10, 10), {0, 0, 10, 10}, {-2, -3, 8, 7});
  EXPECT_EQ(b.at(0, 0), 403u);  // source (2, 3)
  EXPECT_EQ(b.at(5, 3), 708u);
  EXPECT_TRUE(b.GuardsIntact());
}

TEST(CopyPictureToBuffer, SourceRectPastTheBitmapDrawsNothingThere) {
  // Frame 5 of a strip that has only 4 frames of 2 x 2: nothing to draw.
  Buffer b;
  ClearBackBuffer(b.view);
  const codecs::Image strip = Numbered(8, 2);
  CopyPictureToBuffer(b.view, strip, {10, 0, 12, 2}, {1, 1, 3, 3});
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(b.at(x, y), 0u);
  // Partly outside: only the column inside the bitmap is drawn.
  CopyPictureToBuffer(b.view, strip, {7, 0, 9, 2}, {1, 1, 3, 3});
  EXPECT_EQ(b.at(1, 1), 108u);
  EXPECT_EQ(b.at(2, 1), 0u);
  EXPECT_EQ(b.at(1, 2), 208u);
}

TEST(CopyPictureToBuffer, EmptyPictureAndFarAwayRectanglesAreHarmless) {
  Buffer b;
  ClearBackBuffer(b.view);
  CopyPictureToBuffer(b.view, codecs::Image(682, 0), {0, 0, 682, 0}, {0, 0, 682, 0});
  CopyPictureToBuffer(b.view, Numbered(2, 2), {0, 0, 2, 2}, {INT32_MAX - 1, 0, INT32_MAX, 2});
  CopyPictureToBuffer(b.view, Numbered(2, 2), {INT32_MIN, 0, INT32_MIN + 2, 2}, {0, 0, 2, 2});
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(b.at(x, y), 0u);
  EXPECT_TRUE(b.GuardsIntact());
}

TEST(ClearRectExcept, BlackensTheRectAroundTheKeptPartAndStaysInTheBuffer) {
  Buffer b;
  std::fill(b.memory.begin(), b.memory.end(), 7u);
  for (int y = 0; y < 4; ++y) b.memory[size_t(y) * 8 + 6] = b.memory[size_t(y) * 8 + 7] = Buffer::kGuard;
  ClearRectExcept(b.view, {1, -5, 40, 3}, {2, 1, 4, 2});  // clipped to x 1..5, y 0..2
  const char* expected[] = {"700000", "707700", "700000", "777777"};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(b.at(x, y), uint32_t(expected[y][x] - '0')) << x << "," << y;
  EXPECT_TRUE(b.GuardsIntact());
}

TEST(PlanPictureCopy, TellsWhereTheCopyWritesAndReads) {
  // A strip frame half past the bitmap's right end, placed past the buffer's top.
  const CopyPlan plan = PlanPictureCopy({6, 4}, {8, 2}, {6, 0, 10, 2}, {1, -1, 5, 1});
  EXPECT_EQ(plan.dest, (Rect{1, 0, 3, 1}));
  EXPECT_EQ(plan.sourceLeft, 6);
  EXPECT_EQ(plan.sourceTop, 1);
  EXPECT_TRUE(PlanPictureCopy({6, 4}, {8, 2}, {8, 0, 10, 2}, {0, 0, 2, 2}).dest.empty());
}

TEST(DirtyRegion, JoinsNeighboursButKeepsFarApartPartsApart) {
  DirtyRegion d;
  d.Add({0, 0, 0, 10});  // empty
  EXPECT_TRUE(d.empty());
  d.Add({100, 100, 782, 611});  // the picture, then 2 pixels further
  d.Add({102, 102, 784, 613});
  ASSERT_EQ(d.Rects().size(), 1u);
  EXPECT_EQ(d.Rects()[0], (Rect{100, 100, 784, 613}));
  d.Add({0, 900, 1920, 919});  // the ticker's line, far below
  EXPECT_EQ(d.Rects().size(), 2u);
  d.Add({0, 100, 1920, 900});  // a band over the picture, touching the ticker: all one
  ASSERT_EQ(d.Rects().size(), 1u);
  EXPECT_EQ(d.Rects()[0], (Rect{0, 100, 1920, 919}));
}

TEST(DirtyRegion, TooManyPartsBecomeTheirBoundingBox) {
  DirtyRegion d;
  for (int32_t i = 0; i <= int32_t(DirtyRegion::kMaxRects); ++i) d.Add({10 * i, 10 * i, 10 * i + 1, 10 * i + 1});
  ASSERT_EQ(d.Rects().size(), 1u);
  EXPECT_EQ(d.Rects()[0], (Rect{0, 0, 81, 81}));
}

// Frames over a 40 x 30 screen with the ticker and the date caption, composed
// one after another as the show does and put on a window through the
// updates: after each, the window holds what composing that frame in full
// would (black, the picture, the caption, the ticker over all).
struct OverlayFrame {
  Rect dest;               // where the 12 x 8 picture goes
  int32_t tickerY = -100;  // off the screen: no ticker
  int32_t tickerStep = 0;  // the ticker's text moves with every step
  int captionText = 0;     // 0: no caption; each other number a text of its own
  int picture = 0;         // a new number: the next picture (a switch)
};

constexpr Size kOverlayScreen{40, 30};
constexpr Rect kCaptionBounds{24, 24, 38, 29};

// Glyph-like drawing: each pixel depends on the one under it, as antialiased
// text does, so drawing over the wrong background or twice shows.
void DrawOver(const PixelView& b, Rect r, uint32_t ink) {
  r = Intersection(r, b.bounds());
  for (int32_t y = r.top; y < r.bottom; ++y)
    for (int32_t x = r.left; x < r.right; ++x)
      if ((x + y + int32_t(ink)) % 3 != 0) b.row(y)[x] = (b.row(y)[x] >> 1 & 0x7F7F7F) + ink;
}

TextLayer TickerOf(const PixelView& b, const OverlayFrame& f) {
  const Rect bounds{0, f.tickerY, 40, f.tickerY + 5};
  return {bounds, uint64_t(f.tickerY * 1000 + f.tickerStep),
          [b, bounds, f] { DrawOver(b, {bounds.left + f.tickerStep % 4, bounds.top, bounds.right, bounds.bottom}, 0x204000); }};
}

TextLayer CaptionOf(const PixelView& b, const OverlayFrame& f) {
  if (f.captionText == 0) return {};
  return {kCaptionBounds, uint64_t(f.captionText),
          [b, f] { DrawOver(b, kCaptionBounds, 0x808080 + uint32_t(f.captionText)); }};
}

codecs::Image PictureNumber(int n) {
  codecs::Image img(12, 8);
  for (int32_t y = 0; y < 8; ++y)
    for (int32_t x = 0; x < 12; ++x) img.row(y)[x] = uint32_t(0x10000 * (n + 1) + 100 * y + x);
  return img;
}

std::vector<uint32_t> ComposedInFull(const OverlayFrame& f) {
  std::vector<uint32_t> pixels(size_t(kOverlayScreen.width) * kOverlayScreen.height, 0);
  const PixelView v{pixels.data(), kOverlayScreen.width, kOverlayScreen.height, kOverlayScreen.width};
  CopyPictureToBuffer(v, PictureNumber(f.picture), {0, 0, 12, 8}, f.dest);
  if (const TextLayer caption = CaptionOf(v, f); caption.draw) caption.draw();
  TickerOf(v, f).draw();
  return pixels;
}

void Apply(const WindowUpdate& u, const PixelView& buffer, std::vector<uint32_t>& window) {
  const auto put = [&](Rect r, auto pixel) {
    for (int32_t y = r.top; y < r.bottom; ++y)
      for (int32_t x = r.left; x < r.right; ++x) window[size_t(y * kOverlayScreen.width + x)] = pixel(x, y);
  };
  for (const Rect& r : u.black) put(r, [](int32_t, int32_t) { return 0u; });
  for (const CopyPlan& p : u.fromPicture)
    put(p.dest, [&](int32_t x, int32_t y) { return u.picture->row(p.sourceTop + y - p.dest.top)[p.sourceLeft + x - p.dest.left]; });
  for (const Rect& r : u.fromBuffer) put(r, [&](int32_t x, int32_t y) { return buffer.row(y)[x]; });
}

struct OverlayCase {
  const char* name;
  std::vector<OverlayFrame> frames;
};

// The picture at (x, y), for a frame list that moves it.
Rect At(int32_t x, int32_t y) { return {x, y, x + 12, y + 8}; }

std::vector<OverlayFrame> TickerWalksDownOverTheCaption() {
  std::vector<OverlayFrame> frames;
  for (int32_t line = 0; line < 7; ++line)
    for (int32_t step = 0; step < 3; ++step) frames.push_back({At(20, 18), line * 5, step, 1, 0});
  return frames;
}

std::vector<OverlayFrame> PictureFloatsUnderBoth() {
  std::vector<OverlayFrame> frames;
  for (int32_t i = 0; i < 20; ++i) frames.push_back({At(2 + i * 2, 1 + i), 22, i / 5, 1, 0});
  return frames;
}

std::vector<OverlayFrame> SwitchesChangeTheCaption() {
  return {{At(26, 20), 0, 0, 1, 0}, {At(27, 21), 0, 0, 1, 0}, {At(27, 21), 0, 0, 2, 1},
          {At(28, 22), 23, 0, 2, 1}, {At(28, 22), 23, 0, 0, 2}, {At(29, 21), 23, 1, 0, 2},
          {At(29, 21), 5, 1, 3, 3},  {At(29, 21), 24, 2, 3, 3}, {At(30, 20), 10, 2, 3, 3}};
}

std::vector<OverlayFrame> StillPictureCaptionOnly() {
  return {{At(26, 20), -100, 0, 1, 0}, {At(26, 20), -100, 0, 1, 0}, {At(26, 20), -100, 0, 2, 1}};
}

class OverlayComposition : public ::testing::TestWithParam<std::tuple<OverlayCase, bool>> {};

TEST_P(OverlayComposition, EveryUpdateLeavesTheFullFrameOnTheWindow) {
  const auto& [c, pictureToWindow] = GetParam();
  std::vector<uint32_t> memory(size_t(kOverlayScreen.width) * kOverlayScreen.height, 0x123456);
  const PixelView buffer{memory.data(), kOverlayScreen.width, kOverlayScreen.height, kOverlayScreen.width};
  std::vector<uint32_t> window(memory.size(), 0xABCDEF);
  FrameComposer composer(buffer, pictureToWindow);
  composer.ClearAll();
  std::vector<codecs::Image> pictures{PictureNumber(0)};
  for (size_t i = 0; i < c.frames.size(); ++i) {
    const OverlayFrame& f = c.frames[i];
    if (size_t(f.picture) >= pictures.size()) {
      composer.PictureChanging();
      pictures.push_back(PictureNumber(f.picture));
    }
    composer.Compose(pictures.back(), {0, 0, 12, 8}, f.dest, TickerOf(buffer, f), CaptionOf(buffer, f));
    Apply(composer.TakeUpdate(), buffer, window);
    ASSERT_EQ(window, ComposedInFull(f)) << c.name << ", frame " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    TickerAndCaption, OverlayComposition,
    ::testing::Combine(::testing::Values(OverlayCase{"TickerWalksDownOverTheCaption", TickerWalksDownOverTheCaption()},
                                         OverlayCase{"PictureFloatsUnderBoth", PictureFloatsUnderBoth()},
                                         OverlayCase{"SwitchesChangeTheCaption", SwitchesChangeTheCaption()},
                                         OverlayCase{"StillPictureCaptionOnly", StillPictureCaptionOnly()}),
                       ::testing::Bool()),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "PictureToWindow" : "InBuffer");
    });

}  // namespace
}  // namespace slideshow
