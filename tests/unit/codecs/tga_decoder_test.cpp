#include "codecs/tga_decoder.h"

#include <gtest/gtest.h>

#include "codec_test_support.h"
#include "test_writers.h"

namespace codecs {
namespace {

using namespace codecs::testing;

struct TgaCase {
  const char* name;
  TgaOptions options;
};

class TgaVariants : public ::testing::TestWithParam<TgaCase> {};

// Each variant is decoded by ImageMagick (orientation applied) for the
// expected pixels.
TEST_P(TgaVariants, MatchImageMagick) {
  const TgaCase& c = GetParam();
  const IndexedPicture picture = MakeIndexed(37, 23, (c.options.type & 7) != 1 || c.options.depth == 8);
  const std::string path = FixtureDir("tga") + "/" + c.name + ".tga";
  WriteAll(path, WriteTga(picture, c.options));
  EXPECT_TRUE(SameImage(DecodeTga(ReadAll(path)), ConvertDecode(path, "-auto-orient -alpha off")));
}

INSTANTIATE_TEST_SUITE_P(
    AllTypes, TgaVariants,
    ::testing::Values(TgaCase{"mapped8", {1, 8}}, TgaCase{"mapped8_map16", {1, 8, false, false, 16}},
                      TgaCase{"mapped8_map32_first5", {1, 8, false, false, 32, 5}},
                      TgaCase{"mapped8_rle", {9, 8}}, TgaCase{"true15", {2, 15}}, TgaCase{"true16", {2, 16}},
                      TgaCase{"true24", {2, 24}}, TgaCase{"true32", {2, 32}}, TgaCase{"true16_rle", {10, 16}},
                      TgaCase{"true24_rle", {10, 24}}, TgaCase{"true32_rle", {10, 32}},
                      TgaCase{"grey8", {3, 8}}, TgaCase{"grey8_rle", {11, 8}},
                      TgaCase{"topdown", {2, 24, true}}, TgaCase{"right_to_left", {2, 24, false, true}},
                      TgaCase{"topdown_right_to_left_rle", {10, 24, true, true}},
                      TgaCase{"mapped_topdown_rle", {9, 8, true, false}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Tga, ReadsWhatImageMagickWrites) {
  const std::string dir = FixtureDir("tga_im");
  WritePpm(dir + "/src.ppm", PhotoLike(61, 17));
  const char* variants[][2] = {{"plain", "-compress None"}, {"rle", "-compress RLE"},
                               {"palette", "-type Palette -compress RLE"}, {"grey", "-type Grayscale"}};
  for (auto& v : variants) {
    const std::string out = dir + "/" + v[0] + ".tga";
    ASSERT_TRUE(Convert(dir + "/src.ppm " + v[1] + " " + out)) << v[0];
    EXPECT_TRUE(SameImage(DecodeTga(ReadAll(out)), ConvertDecode(out, "-auto-orient -alpha off"))) << v[0];
  }
}

TEST(Tga, ColorMapIndicesOutsideTheMapAreBlack) {
  IndexedPicture p = MakeIndexed(8, 2, false);
  ByteVector bytes = WriteTga(p, {1, 8, true, false, 24, 4});  // indices 4..19 on a map starting at 4
  const size_t pixels = 18 + 3 + 16 * 3;  // header, ID, map
  bytes[pixels] = 2;                      // below the map's first index
  bytes[pixels + 1] = 250;                // past its end
  std::optional<Image> image = DecodeTga(bytes);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->row(0)[0], 0u);
  EXPECT_EQ(image->row(0)[1], 0u);
  EXPECT_EQ(image->row(0)[2], p.palette[p.indices[2]]);
}

TEST(Tga, RefusesLyingHeaders) {
  const IndexedPicture p = MakeIndexed(16, 8, false);
  const ByteVector good = WriteTga(p, {10, 24});
  ASSERT_TRUE(DecodeTga(good));
  auto patched = [&](size_t at, uint8_t value) {
    ByteVector b = good;
    b[at] = value;
    return DecodeTga(b);
  };
  EXPECT_FALSE(patched(2, 4)) << "unknown image type";
  EXPECT_FALSE(patched(16, 12)) << "unsupported depth";
  EXPECT_FALSE(patched(12, 0)) << "width 0 (with the high byte 0)";
  EXPECT_FALSE(patched(14, 0)) << "height 0";
  EXPECT_FALSE(patched(13, 0xFF)) << "65296 wide: the packets run out";
  EXPECT_FALSE(patched(1, 1)) << "a colour map claimed but its depth is 0";
  EXPECT_FALSE(patched(0, 250)) << "an ID field past the end";
}

TEST(Tga, RefusesARunThatOverflowsThePicture) {
  // 2 x 2 pixels, one RLE packet of 5.
  ByteVector b = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 24, 0, 0x84, 1, 2, 3};
  EXPECT_FALSE(DecodeTga(b));
  b[18] = 0x83;
  EXPECT_TRUE(DecodeTga(b));
}

TEST(Tga, RefusesHugeClaimedSizes) {
  ByteVector b = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 24, 0};
  b.resize(1 << 16, 0);
  EXPECT_FALSE(DecodeTga(b));
}

}  // namespace
}  // namespace codecs
