#include "slideshow/resample.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace slideshow {
namespace {

using codecs::Image;
using codecs::Rgb;

int Red(uint32_t p) { return int(p >> 16) & 0xFF; }
int Green(uint32_t p) { return int(p >> 8) & 0xFF; }
int Blue(uint32_t p) { return int(p) & 0xFF; }

Image Checkerboard(int32_t w, int32_t h) {
  Image img(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) img.row(y)[x] = (x + y) % 2 ? Rgb(255, 255, 255) : 0;
  return img;
}

TEST(ResamplePicture, CheckerboardAveragesToGreyInsteadOfDroppingPixels) {
  // Pixel dropping would give pure black or white; averaging 2x2 blocks, or
  // fractional 3x3 areas, gives mid grey.
  for (const auto& [w, h] : {std::pair{50, 40}, std::pair{33, 27}}) {
    const Image out = ResamplePicture(Checkerboard(100, 80), w, h);
    ASSERT_EQ(out.width, w);
    ASSERT_EQ(out.height, h);
    for (uint32_t p : out.pixels) {
      EXPECT_NEAR(Red(p), 128, 32) << w;
      EXPECT_EQ(Red(p), Green(p));
      EXPECT_EQ(Red(p), Blue(p));
    }
  }
}

TEST(ResamplePicture, FractionalCoverageWeighsPartlyCoveredPixels) {
  // Three columns 0, 90, 180 into two: each output covers 1.5 source pixels,
  // (0 + 90 / 2) / 1.5 = 30 and (90 / 2 + 180) / 1.5 = 150.
  Image src(3, 1);
  src.pixels = {Rgb(0, 0, 0), Rgb(90, 90, 90), Rgb(180, 180, 180)};
  const Image out = ResamplePicture(src, 2, 1);
  EXPECT_EQ(Red(out.pixels[0]), 30);
  EXPECT_EQ(Red(out.pixels[1]), 150);
}

TEST(ResamplePicture, HorizontalGradientStaysAGradientWithItsMeanPreserved) {
  Image src(256, 64);
  for (int32_t y = 0; y < 64; ++y)
    for (int32_t x = 0; x < 256; ++x) src.row(y)[x] = Rgb(uint8_t(x), 0, uint8_t(255 - x));
  const Image out = ResamplePicture(src, 64, 16);
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 64; ++x) {
      // Output pixel x averages source columns 4x .. 4x + 3: mean 4x + 1.5.
      EXPECT_NEAR(Red(out.row(y)[x]), 4 * x + 1.5, 0.51);
      EXPECT_NEAR(Blue(out.row(y)[x]), 255 - (4 * x + 1.5), 0.51);
      EXPECT_EQ(Green(out.row(y)[x]), 0);
    }
}

TEST(ResamplePicture, ChannelsDoNotBleedIntoEachOther) {
  Image src(7, 5);
  for (auto& p : src.pixels) p = Rgb(255, 0, 255);
  for (uint32_t p : ResamplePicture(src, 3, 2).pixels) EXPECT_EQ(p, Rgb(255, 0, 255));
  for (auto& p : src.pixels) p = Rgb(0, 255, 0);
  for (uint32_t p : ResamplePicture(src, 3, 2).pixels) EXPECT_EQ(p, Rgb(0, 255, 0));
}

TEST(ResamplePicture, SameSizeIsAnExactCopy) {
  Image src(5, 3);
  for (size_t i = 0; i < src.pixels.size(); ++i) src.pixels[i] = uint32_t(i * 0x010203);
  EXPECT_EQ(ResamplePicture(src, 5, 3).pixels, src.pixels);
}

TEST(ResamplePicture, EnlargingRepeatsPixelsAndStaysInsideTheSource) {
  Image src(2, 1);
  src.pixels = {Rgb(10, 20, 30), Rgb(200, 100, 50)};
  const Image out = ResamplePicture(src, 4, 2);
  EXPECT_EQ(out.row(1)[0], Rgb(10, 20, 30));
  EXPECT_EQ(out.row(0)[3], Rgb(200, 100, 50));
}

TEST(ResamplePicture, ZeroSizeGivesAnEmptyImage) {
  const Image out = ResamplePicture(Checkerboard(8, 8), 682, 0);
  EXPECT_EQ(out.width, 682);
  EXPECT_EQ(out.height, 0);
  EXPECT_TRUE(out.pixels.empty());
}

TEST(ResamplePicture, OnePixelHighStripReducesEveryColumn) {
  // A panorama one pixel high into fewer columns: nothing read past the row.
  Image src(1001, 1);
  for (auto& p : src.pixels) p = Rgb(40, 80, 120);
  for (uint32_t p : ResamplePicture(src, 97, 1).pixels) EXPECT_EQ(p, Rgb(40, 80, 120));
}

// Every output pixel against the exact mean of the area it covers, for
// ratios that are whole, fractional, barely below one and far below, and
// shapes wide and tall: the rows reduced across are kept only while needed,
// and none may be lost or taken for another on the way down.
TEST(ResamplePicture, EveryPixelIsTheMeanOfTheAreaItCovers) {
  struct Case {
    int32_t sw, sh, dw, dh;
  };
  for (const Case c : {Case{40, 30, 20, 15}, Case{1000, 700, 137, 91}, Case{300, 200, 299, 199},
                       Case{61, 997, 7, 41}, Case{997, 61, 41, 7}, Case{50, 50, 1, 1}}) {
    Image src(c.sw, c.sh);
    for (int32_t y = 0; y < c.sh; ++y)
      for (int32_t x = 0; x < c.sw; ++x)
        src.row(y)[x] = Rgb(uint8_t(x * 7 + y), uint8_t(x ^ (y * 3)), uint8_t((x * y) >> 3));
    const Image out = ResamplePicture(src, c.dw, c.dh);
    // Source pixel i covers [i * d, (i + 1) * d) and output pixel x covers
    // [x * s, (x + 1) * s): the shares are exact integers.
    auto share = [](int64_t i, int64_t x, int64_t s, int64_t d) {
      return std::max<int64_t>(0, std::min((i + 1) * d, (x + 1) * s) - std::max(i * d, x * s));
    };
    int worst = 0;
    for (int32_t y = 0; y < c.dh; ++y)
      for (int32_t x = 0; x < c.dw; ++x) {
        double sum[3] = {0, 0, 0};
        for (int32_t sy = int32_t(int64_t(y) * c.sh / c.dh); sy < c.sh && int64_t(sy) * c.dh < int64_t(y + 1) * c.sh; ++sy)
          for (int32_t sx = int32_t(int64_t(x) * c.sw / c.dw); sx < c.sw && int64_t(sx) * c.dw < int64_t(x + 1) * c.sw; ++sx) {
            const double weight = double(share(sx, x, c.sw, c.dw) * share(sy, y, c.sh, c.dh));
            const uint32_t p = src.row(sy)[sx];
            sum[0] += Red(p) * weight, sum[1] += Green(p) * weight, sum[2] += Blue(p) * weight;
          }
        const double area = double(c.sw) * c.sh;
        const uint32_t got = out.row(y)[x];
        worst = std::max({worst, std::abs(Red(got) - int(sum[0] / area + 0.5)),
                          std::abs(Green(got) - int(sum[1] / area + 0.5)),
                          std::abs(Blue(got) - int(sum[2] / area + 0.5))});
      }
    // The pass across rounds to 1/256 of a level before the pass down.
    EXPECT_LE(worst, 1) << c.sw << "x" << c.sh << " to " << c.dw << "x" << c.dh;
  }
}

// A picture reduced into a part of a larger one is what it is reduced to on
// its own, and the rest stays as it was.
TEST(ResamplePictureInto, WritesTheReductionIntoItsPartAlone) {
  Image src(301, 203);
  for (int32_t y = 0; y < src.height; ++y)
    for (int32_t x = 0; x < src.width; ++x)
      src.row(y)[x] = Rgb(uint8_t(x * 7 + y), uint8_t(x ^ (y * 3)), uint8_t(x * y));
  const Image alone = ResamplePicture(src, 97, 61);
  Image larger(120, 80);
  std::fill(larger.pixels.begin(), larger.pixels.end(), Rgb(1, 2, 3));
  const PixelView whole{larger.pixels.data(), larger.width, larger.height, larger.width};
  const Rect part{11, 7, 11 + 97, 7 + 61};
  ResamplePictureInto(src, whole.Part(part));
  for (int32_t y = 0; y < larger.height; ++y)
    for (int32_t x = 0; x < larger.width; ++x) {
      const bool inside = x >= part.left && x < part.right && y >= part.top && y < part.bottom;
      ASSERT_EQ(larger.row(y)[x], inside ? alone.row(y - part.top)[x - part.left] : Rgb(1, 2, 3)) << x << "," << y;
    }
}

}  // namespace
}  // namespace slideshow
