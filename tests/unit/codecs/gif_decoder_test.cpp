#include "codecs/gif_decoder.h"

#include <gtest/gtest.h>

#include "codec_test_support.h"
#include "test_writers.h"

namespace codecs {
namespace {

using namespace codecs::testing;

// ImageMagick's first frame, placed on the logical screen over black, is the
// expected picture.
std::optional<Image> Expected(const std::string& path) {
  return ConvertDecode(path + "[0]", "-background black -flatten");
}

std::optional<Image> WriteAndDecode(const std::string& name, const IndexedPicture& p, const GifOptions& o,
                                    std::optional<Image>* expected) {
  const std::string path = FixtureDir("gif") + "/" + name + ".gif";
  WriteAll(path, WriteGif(p, o));
  *expected = Expected(path);
  return DecodeGif(ReadAll(path));
}

struct GifCase {
  const char* name;
  GifOptions options;
};

class GifLayouts : public ::testing::TestWithParam<GifCase> {};

TEST_P(GifLayouts, MatchImageMagick) {
  std::optional<Image> expected;
  std::optional<Image> actual =
      WriteAndDecode(GetParam().name, MakeIndexed(29, 21, GetParam().options.mapBits == 8), GetParam().options,
                     &expected);
  EXPECT_TRUE(SameImage(actual, expected));
}

GifOptions Make(std::initializer_list<void (*)(GifOptions&)> changes) {
  GifOptions o;
  for (auto change : changes) change(o);
  return o;
}

INSTANTIATE_TEST_SUITE_P(
    FirstFrame, GifLayouts,
    ::testing::Values(
        GifCase{"plain", {}}, GifCase{"interlaced", Make({[](GifOptions& o) { o.interlaced = true; }})},
        GifCase{"map256", Make({[](GifOptions& o) { o.mapBits = 8; }})},
        GifCase{"local_map", Make({[](GifOptions& o) { o.localMap = true; }})},
        GifCase{"transparent", Make({[](GifOptions& o) { o.transparent = 5; }})},
        GifCase{"two_frames", Make({[](GifOptions& o) { o.secondFrame = true; }})},
        GifCase{"offset_on_screen", Make({[](GifOptions& o) {
                  o.screenWidth = 50;
                  o.screenHeight = 40;
                  o.left = 7;
                  o.top = 9;
                }})},
        GifCase{"interlaced_transparent_offset", Make({[](GifOptions& o) {
                  o.interlaced = true;
                  o.transparent = 2;
                  o.screenWidth = 40;
                  o.screenHeight = 30;
                  o.left = 3;
                  o.top = 4;
                }})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Gif, ReadsWhatImageMagickWrites) {
  const std::string dir = FixtureDir("gif_im");
  WritePpm(dir + "/src.ppm", PhotoLike(53, 37));
  const char* variants[][2] = {{"plain", ""}, {"interlaced", "-interlace GIF"}, {"transparent", "-transparent '#808080' -fuzz 20%"}};
  for (auto& v : variants) {
    const std::string out = dir + "/" + v[0] + ".gif";
    ASSERT_TRUE(Convert(dir + "/src.ppm " + v[1] + " " + out)) << v[0];
    EXPECT_TRUE(SameImage(DecodeGif(ReadAll(out)), Expected(out))) << v[0];
  }
}

TEST(Gif, CutsOffWhatLiesOutsideTheScreen) {
  const IndexedPicture p = MakeIndexed(20, 10, false);
  GifOptions o;
  o.screenWidth = 12;
  o.screenHeight = 8;
  o.left = 5;
  o.top = 3;
  std::optional<Image> image = DecodeGif(WriteGif(p, o));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 12);
  EXPECT_EQ(image->height, 8);
  EXPECT_EQ(image->row(2)[11], 0u);
  EXPECT_EQ(image->row(3)[4], 0u);
  EXPECT_EQ(image->row(3)[5], p.palette[p.indices[0]]);
  EXPECT_EQ(image->row(7)[11], p.palette[p.indices[4 * 20 + 6]]);
  o.left = 400;  // entirely off the screen: nothing but black
  image = DecodeGif(WriteGif(p, o));
  ASSERT_TRUE(image);
  for (uint32_t px : image->pixels) EXPECT_EQ(px, 0u);
}

TEST(Gif, AScreenOfZeroTakesTheFramesSize) {
  GifOptions o;
  o.screenWidth = 0;
  const IndexedPicture p = MakeIndexed(9, 4, false);
  ByteVector bytes = WriteGif(p, o);
  bytes[6] = bytes[7] = bytes[8] = bytes[9] = 0;
  std::optional<Image> image = DecodeGif(bytes);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 9);
  EXPECT_EQ(image->height, 4);
}

TEST(Gif, IndicesPastTheColorMapAreBlack) {
  // A 2-colour map read with 2-bit codes: indices 2 and 3 have no colour.
  IndexedPicture p = MakeIndexed(8, 1, false);
  p.indices = {0, 1, 2, 3, 1, 0, 3, 2};
  GifOptions o;
  o.mapBits = 1;
  std::optional<Image> image = DecodeGif(WriteGif(p, o));
  ASSERT_TRUE(image);
  const uint32_t expected[] = {p.palette[0], p.palette[1], 0, 0, p.palette[1], p.palette[0], 0, 0};
  for (int x = 0; x < 8; ++x) EXPECT_EQ(image->row(0)[x], expected[x]) << x;
}

TEST(Gif, RefusesFilesWithoutAPictureOrAColorMap) {
  const IndexedPicture p = MakeIndexed(8, 8, false);
  ByteVector noImage = WriteGif(p, {});
  noImage.resize(13 + 48);
  noImage.push_back(0x3B);
  EXPECT_FALSE(DecodeGif(noImage));
  ByteVector noMap = WriteGif(p, {});
  noMap[10] &= 0x7F;  // claims no global map; the old map bytes become garbage
  EXPECT_FALSE(DecodeGif(noMap));
}

TEST(Gif, RefusesHugeFramesBeforeReadingThem) {
  ByteVector b = WriteGif(MakeIndexed(4, 4, false), {});
  b[6] = b[7] = b[8] = b[9] = 0xFF;          // a 65535 x 65535 screen
  EXPECT_FALSE(DecodeGif(b));
}

}  // namespace
}  // namespace codecs
