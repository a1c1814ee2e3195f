#include "slideshow/composition.h"

#include <gtest/gtest.h>

#include <algorithm>
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

}  // namespace
}  // namespace slideshow
