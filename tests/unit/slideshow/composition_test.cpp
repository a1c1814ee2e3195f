#include "slideshow/composition.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace slideshow
