#include "codecs/dib_decoder.h"

#include <gtest/gtest.h>

#include <cstring>

#include "codec_test_support.h"

namespace codecs {
namespace {

using namespace codecs::testing;

struct BmpCase {
  const char* name;
  const char* options;  // convert options and the output coder
};

class BmpVariants : public ::testing::TestWithParam<BmpCase> {
 protected:
  static std::string Source() {
    const std::string src = FixtureDir("bmp") + "/src.ppm";
    WritePpm(src, PhotoLike(45, 27));
    return src;
  }
};

TEST_P(BmpVariants, MatchImageMagick) {
  const std::string dir = FixtureDir("bmp");
  const std::string out = dir + "/" + GetParam().name + ".bmp";
  ASSERT_TRUE(ConvertTo(Source(), GetParam().options, out));
  const ByteVector bytes = ReadAll(out);
  // Alpha is blended over black, which ImageMagick may round one level apart;
  // it also widens 5- and 6-bit channels by rounding down, where we round to
  // nearest as the BMP suite's references require.
  const bool approximate = std::strstr(GetParam().name, "alpha") || std::strstr(GetParam().name, "rgb5");
  EXPECT_TRUE(SameImage(DecodeBmpFile(bytes), ConvertDecode(out, "-background black -flatten"),
                        approximate ? 1 : 0));
  EXPECT_TRUE(SameImage(DecodeDib(bytes), DecodeBmpFile(bytes)));
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, BmpVariants,
    ::testing::Values(BmpCase{"pal1", "-colors 2 -type Palette bmp3:"},
                      BmpCase{"pal4", "-colors 16 -type Palette bmp3:"},
                      BmpCase{"pal8", "-colors 200 -type Palette bmp3:"},
                      BmpCase{"rle4", "-colors 16 -type Palette -compress RLE bmp3:"},
                      BmpCase{"rle8", "-colors 200 -type Palette -compress RLE bmp3:"},
                      BmpCase{"rgb555", "-define bmp:subtype=RGB555 bmp:"},
                      BmpCase{"rgb565", "-define bmp:subtype=RGB565 bmp:"},
                      BmpCase{"rgb24", "-type TrueColor bmp3:"}, BmpCase{"rgb24_v5", "-type TrueColor bmp:"},
                      BmpCase{"rgba32_alpha", "-alpha set -channel A -fx 'j/h' bmp:"},
                      BmpCase{"core8", "-colors 200 -type Palette bmp2:"},
                      BmpCase{"core24", "-type TrueColor bmp2:"}),
    [](const auto& info) { return std::string(info.param.name); });

uint32_t Le32(const ByteVector& b, size_t at) { return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24; }

void SetLe32(ByteVector& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

// ImageMagick writes bitmaps bottom-up; the top-down twin is made by hand.
ByteVector TopDownTwin(const ByteVector& bottomUp) {
  ByteVector b = bottomUp;
  const int32_t width = int32_t(Le32(b, 18)), height = int32_t(Le32(b, 22));
  const size_t bits = b[28] | b[29] << 8, stride = (width * bits + 31) / 32 * 4, offset = Le32(b, 10);
  for (int32_t r = 0; r < height; ++r) {
    std::memcpy(&b[offset + r * stride], &bottomUp[offset + (height - 1 - r) * stride], stride);
  }
  SetLe32(b, 22, uint32_t(-height));
  return b;
}

class Bitmap : public ::testing::Test {
 protected:
  ByteVector Write(const std::string& name, const std::string& options) {
    const std::string dir = FixtureDir("bmp_cases");
    WritePpm(dir + "/src.ppm", PhotoLike(21, 13));
    EXPECT_TRUE(ConvertTo(dir + "/src.ppm", options, dir + "/" + name + ".bmp"));
    return ReadAll(dir + "/" + name + ".bmp");
  }
};

TEST_F(Bitmap, TopDownRowsDecodeLikeBottomUp) {
  for (const char* options : {"-colors 16 -type Palette bmp3:", "-type TrueColor bmp3:", "-colors 2 -type Palette bmp3:"}) {
    const ByteVector bottomUp = Write("topdown_src", options);
    EXPECT_TRUE(SameImage(DecodeBmpFile(TopDownTwin(bottomUp)), DecodeBmpFile(bottomUp))) << options;
  }
}

TEST_F(Bitmap, BareDibDecodesLikeTheFile) {
  const ByteVector file = Write("bare", "-colors 16 -type Palette bmp3:");
  const ByteVector bare(file.begin() + 14, file.end());
  EXPECT_FALSE(DecodeBmpFile(bare)) << "a bitmap file needs its file header";
  EXPECT_TRUE(SameImage(DecodeDib(bare), DecodeBmpFile(file)));
}

TEST_F(Bitmap, RefusesOffsetsAndSizesThatLie) {
  const ByteVector good = Write("lies", "-colors 200 -type Palette bmp3:");
  ASSERT_TRUE(DecodeBmpFile(good));
  auto with = [&](size_t at, uint32_t value) {
    ByteVector b = good;
    SetLe32(b, at, value);
    return DecodeBmpFile(b);
  };
  EXPECT_FALSE(with(10, uint32_t(good.size()) + 1)) << "pixels past the end";
  EXPECT_FALSE(with(10, 20)) << "pixels inside the header";
  EXPECT_FALSE(with(14, 41)) << "unknown header size";
  EXPECT_FALSE(with(14, 0xFFFFFFF0)) << "header larger than the file";
  EXPECT_FALSE(with(18, 0)) << "zero width";
  EXPECT_FALSE(with(22, 0)) << "zero height";
  EXPECT_FALSE(with(18, 0x80000000)) << "negative width";
  EXPECT_FALSE(with(18, 100000)) << "huge width";
  EXPECT_FALSE(with(22, 40000)) << "rows that are not in the file";
  EXPECT_FALSE(with(46, 100000)) << "a palette larger than its room";
  EXPECT_FALSE(with(30, 7)) << "unknown compression";
  EXPECT_FALSE(with(30, 2)) << "RLE4 on 8 bits";
}

// Hand-made RLE8 bitmap: 4 x 2 pixels (or width x 2), palette of 3 colours.
ByteVector Rle8File(std::initializer_list<uint8_t> data, int32_t width = 4) {
  ByteVector b(14 + 40 + 12, 0);
  b[0] = 'B';
  b[1] = 'M';
  SetLe32(b, 10, uint32_t(b.size()));
  SetLe32(b, 14, 40);
  SetLe32(b, 18, uint32_t(width));
  SetLe32(b, 22, 2);
  b[26] = 1;
  b[28] = 8;
  SetLe32(b, 30, 1);
  SetLe32(b, 46, 3);
  const uint8_t palette[] = {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0};  // red, green, blue
  std::memcpy(&b[54], palette, sizeof palette);
  b.insert(b.end(), data);
  return b;
}

std::optional<Image> Rle8(std::initializer_list<uint8_t> data) { return DecodeBmpFile(Rle8File(data)); }

TEST(BitmapRle, DeltaAndEarlyEndsLeaveBlack) {
  std::optional<Image> image = Rle8({2, 0, 0, 2, 1, 1, 0, 0, 0, 1});  // 2 red, delta (1,1), EOL, EOB
  ASSERT_TRUE(image);
  const uint32_t red = 0xFF0000;
  EXPECT_EQ(image->row(1)[0], red);
  EXPECT_EQ(image->row(1)[1], red);
  EXPECT_EQ(image->row(1)[2], 0u);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(image->row(0)[x], 0u);
}

TEST(BitmapRle, AbsoluteRunsAndPaletteIndicesPastTheEnd) {
  std::optional<Image> image = Rle8({0, 4, 0, 1, 2, 9, 0, 0, 4, 1, 0, 1});
  ASSERT_TRUE(image);
  EXPECT_EQ(image->row(1)[0], 0xFF0000u);
  EXPECT_EQ(image->row(1)[1], 0x00FF00u);
  EXPECT_EQ(image->row(1)[2], 0x0000FFu);
  EXPECT_EQ(image->row(1)[3], 0u) << "index 9 of a 3-colour palette";
  EXPECT_EQ(image->row(0)[3], 0x00FF00u);
}

TEST(BitmapRle, RefusesRunsAndMovesPastTheEdge) {
  // Rows of 4 pixels of 8 bits have no padding to spill into.
  EXPECT_FALSE(Rle8({5, 1, 0, 1})) << "a run longer than the row";
  EXPECT_FALSE(Rle8({3, 1, 2, 1, 0, 1})) << "a second run past the row's end";
  EXPECT_FALSE(Rle8({0, 5, 1, 1, 1, 1, 1, 0, 0, 1})) << "an absolute run longer than the row";
  EXPECT_FALSE(Rle8({0, 2, 5, 0, 1, 1})) << "a delta past the right edge";
  EXPECT_FALSE(Rle8({0, 2, 0, 3, 1, 1})) << "a delta past the top";
  EXPECT_FALSE(Rle8({0, 0, 0, 0, 0, 0, 1, 1})) << "a run above the last row";
  EXPECT_FALSE(Rle8({0, 4, 1, 1})) << "an absolute run cut short";
  EXPECT_FALSE(Rle8({4, 1})) << "data that ends before the picture does";
  EXPECT_TRUE(Rle8({4, 1, 0, 0, 4, 2})) << "all rows written; the end mark may be missing";
}

TEST(BitmapRle, RunsMaySpillIntoTheRowsPaddingOnly) {
  // 3 pixels of 8 bits are stored as 4 bytes; encoders may write that 4th.
  std::optional<Image> image = DecodeBmpFile(Rle8File({4, 1, 0, 0, 4, 2, 0, 1}, 3));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 3);
  EXPECT_EQ(image->row(1)[2], 0x00FF00u);
  EXPECT_EQ(image->row(0)[2], 0x0000FFu);
  EXPECT_FALSE(DecodeBmpFile(Rle8File({5, 1, 0, 1}, 3)));
}

TEST(BitmapRle, RefusesTopDownRle) {
  ByteVector b = Rle8File({4, 1, 0, 0, 4, 2, 0, 1});
  SetLe32(b, 22, uint32_t(-2));
  EXPECT_FALSE(DecodeBmpFile(b));
}

}  // namespace
}  // namespace codecs
