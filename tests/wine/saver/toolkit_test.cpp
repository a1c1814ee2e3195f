// The toolkit the saver builds on, in the test's own process: the pixel
// layout of the drawing surface.
#include <gtest/gtest.h>

#include "platform/dib_canvas_win.h"

namespace {

TEST(DibCanvas, PixelsAreTopDownRrggbbLikeTheImageType) {
  platform::DibCanvas canvas(4, 3);
  EXPECT_EQ(canvas.Row(2)[3], 0u) << "a new canvas is black";
  ::SetPixel(canvas.Dc(), 0, 0, RGB(255, 0, 0));
  ::SetPixel(canvas.Dc(), 3, 2, RGB(0, 0, 255));
  ::SetPixel(canvas.Dc(), 1, 2, RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(canvas.Row(0)[0], 0x00FF0000u);
  EXPECT_EQ(canvas.Row(2)[3], 0x000000FFu);
  EXPECT_EQ(canvas.Row(2)[1], 0x00123456u);
}

TEST(DibCanvas, PresentCopiesAtTheSameSizeAndShrinksTheWholeCanvas) {
  platform::DibCanvas source(40, 40);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) source.Row(y)[x] = x < 20 ? 0x00FF0000u : 0x000000FFu;
  }
  platform::DibCanvas same(40, 40);
  source.PresentTo(same.Dc(), 40, 40);
  EXPECT_EQ(same.Row(39)[19], 0x00FF0000u);
  EXPECT_EQ(same.Row(0)[20], 0x000000FFu);

  platform::DibCanvas small(10, 10);
  source.PresentTo(small.Dc(), 10, 10);
  EXPECT_GT(small.Row(5)[1] >> 16, 0xC0u) << "left half red";
  EXPECT_GT(small.Row(5)[8] & 0xFFu, 0xC0u) << "right half blue";
}

TEST(DibCanvas, TextIsDrawnOnThePixelsInTheChosenColour) {
  platform::DibCanvas canvas(200, 40);
  LOGFONTW font{};
  font.lfHeight = -20;
  wcscpy_s(font.lfFaceName, L"Tahoma");
  canvas.SetFont(font);
  const SIZE extent = canvas.MeasureText(L"ABC");
  EXPECT_GT(extent.cx, 0);
  EXPECT_GT(extent.cy, 0);
  canvas.DrawTextLine(0, 0, L"ABC", RGB(0, 255, 0));
  int green = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = extent.cx; x < 200; ++x) EXPECT_EQ(canvas.Row(y)[x], 0u) << "past the text";
    for (int x = 0; x < extent.cx; ++x) green += canvas.Row(y)[x] == 0x0000FF00u;
  }
  EXPECT_GT(green, 10);
}

}  // namespace
