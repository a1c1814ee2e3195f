#include "codecs/pcx_decoder.h"

#include <gtest/gtest.h>

#include "codec_test_support.h"
#include "test_writers.h"

namespace codecs {
namespace {

using namespace codecs::testing;

IndexedPicture WithColors(IndexedPicture p, size_t colors) {
  for (uint8_t& i : p.indices) i = uint8_t(i % colors);
  p.palette.resize(colors);
  return p;
}

struct PcxCase {
  const char* name;
  PcxOptions options;
  int32_t width;
};

class PcxVariants : public ::testing::TestWithParam<PcxCase> {};

TEST_P(PcxVariants, MatchImageMagick) {
  const PcxCase& c = GetParam();
  const size_t colors = c.options.bits == 8 ? 256 : size_t(1) << (c.options.bits * c.options.planes);
  const IndexedPicture picture = WithColors(MakeIndexed(c.width, 19, colors > 16), colors);
  const std::string path = FixtureDir("pcx") + "/" + c.name + ".pcx";
  WriteAll(path, WritePcx(picture, c.options));
  // ImageMagick 6 reads monochrome PCX with 1 as black; the format (and
  // ImageMagick 7) has 0 black and 1 white, which we follow.
  const bool mono = c.options.bits * c.options.planes == 1;
  EXPECT_TRUE(SameImage(DecodePcx(ReadAll(path)), ConvertDecode(path, mono ? "-negate" : "-alpha off")));
}

INSTANTIATE_TEST_SUITE_P(
    AllLayouts, PcxVariants,
    ::testing::Values(PcxCase{"mono", {1, 1}, 37}, PcxCase{"mono_raw", {1, 1, 5, false}, 37},
                      PcxCase{"planes4", {1, 4}, 37}, PcxCase{"planes4_v2", {1, 4, 2}, 33},
                      PcxCase{"planes4_padded", {1, 4, 5, true, 4}, 31}, PcxCase{"packed4", {4, 1}, 29},
                      PcxCase{"pal8", {8, 1}, 37}, PcxCase{"pal8_odd", {8, 1}, 1}, PcxCase{"planes4_v0", {1, 4, 0}, 40},
                      PcxCase{"pal8_padded", {8, 1, 5, true, 6}, 35}, PcxCase{"rgb24", {8, 3}, 37},
                      PcxCase{"rgb24_v4", {8, 3, 4}, 38}, PcxCase{"rgb24_raw", {8, 3, 5, false}, 21},
                      PcxCase{"rgba32", {8, 4}, 23}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Pcx, ReadsWhatImageMagickWrites) {
  const std::string dir = FixtureDir("pcx_im");
  WritePpm(dir + "/src.ppm", PhotoLike(59, 21));
  const char* variants[][2] = {{"truecolor", ""}, {"palette", "-type Palette"}, {"bilevel", "-type Bilevel"}};
  for (auto& v : variants) {
    const std::string out = dir + "/" + v[0] + ".pcx";
    ASSERT_TRUE(Convert(dir + "/src.ppm " + v[1] + " " + out)) << v[0];
    EXPECT_TRUE(SameImage(DecodePcx(ReadAll(out)), ConvertDecode(out))) << v[0];
  }
}

TEST(Pcx, VersionThreeUsesTheStandardSixteenColors) {
  const IndexedPicture p = WithColors(MakeIndexed(16, 2, false), 16);
  const ByteVector bytes = WritePcx(p, {1, 4, 3});
  std::optional<Image> image = DecodePcx(bytes);
  ASSERT_TRUE(image);
  for (int x = 0; x < 16; ++x) {
    const uint8_t index = p.indices[x];
    const uint32_t ega[] = {0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA, 0xAA5500, 0xAAAAAA,
                            0x555555, 0x5555FF, 0x55FF55, 0x55FFFF, 0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF};
    EXPECT_EQ(image->row(0)[x], ega[index]) << x;
  }
}

TEST(Pcx, MonochromeIsBlackAndWhiteWhateverTheHeaderPalette) {
  IndexedPicture p = WithColors(MakeIndexed(9, 1, false), 2);
  p.palette = {0x123456, 0x654321};
  std::optional<Image> image = DecodePcx(WritePcx(p, {1, 1}));
  ASSERT_TRUE(image);
  for (int x = 0; x < 9; ++x) EXPECT_EQ(image->row(0)[x], p.indices[x] ? 0xFFFFFFu : 0u);
}

TEST(Pcx, RefusesBadHeadersAndMissingData) {
  const IndexedPicture p = MakeIndexed(20, 10, true);
  const ByteVector good = WritePcx(p, {8, 1});
  ASSERT_TRUE(DecodePcx(good));
  auto patched = [&](size_t at, uint8_t value) {
    ByteVector b = good;
    b[at] = value;
    return DecodePcx(b);
  };
  EXPECT_FALSE(patched(0, 0x0B)) << "not a PCX maker byte";
  EXPECT_FALSE(patched(1, 6)) << "version past 5";
  EXPECT_FALSE(patched(3, 3)) << "3 bits per pixel";
  EXPECT_FALSE(patched(65, 2)) << "2 planes of 8 bits";
  EXPECT_FALSE(patched(66, 4)) << "lines shorter than the width";
  EXPECT_FALSE(patched(4, 50)) << "xmin past xmax";
  EXPECT_FALSE(patched(11, 0x7F)) << "32000 lines: the data runs out";
  ByteVector noPalette = good;
  noPalette[noPalette.size() - 769] = 0;
  EXPECT_FALSE(DecodePcx(noPalette)) << "8 bits without the palette at the end";
}

TEST(Pcx, RefusesARunPastTheLastLine) {
  IndexedPicture p = MakeIndexed(4, 1, false);
  ByteVector b = WritePcx(WithColors(p, 2), {1, 1});
  b.resize(128);
  b.insert(b.end(), {0xC0 | 2, 0x55});  // a line is 2 bytes; this run fits
  EXPECT_TRUE(DecodePcx(b));
  b[128] = 0xC0 | 3;
  EXPECT_FALSE(DecodePcx(b));
}

}  // namespace
}  // namespace codecs
