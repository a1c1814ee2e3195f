#include "codecs/ico_decoder.h"

#include <gtest/gtest.h>

#include <sstream>

#include "codec_test_support.h"

namespace codecs {
namespace {

using namespace codecs::testing;

// ImageMagick's rendering of the icon's largest image over black.
std::optional<Image> ExpectedLargest(const std::string& ico) {
  std::optional<ByteVector> sizes = Capture("/usr/bin/identify -format '%w %h\\n' '" + ico + "'");
  if (!sizes) return std::nullopt;
  std::istringstream lines(std::string(sizes->begin(), sizes->end()));
  int best = -1, bestArea = -1, w = 0, h = 0;
  for (int i = 0; lines >> w >> h; ++i) {
    if (w * h > bestArea) {
      bestArea = w * h;
      best = i;
    }
  }
  return ConvertDecode(ico + "[" + std::to_string(best) + "]", "-background black -flatten");
}

struct IcoCase {
  const char* name;
  const char* options;
  int tolerance;  // alpha blending may round one level apart
};

class IcoVariants : public ::testing::TestWithParam<IcoCase> {};

TEST_P(IcoVariants, LargestImageMatchesImageMagick) {
  const std::string dir = FixtureDir("ico");
  WritePpm(dir + "/src.ppm", PhotoLike(48, 48));
  const std::string out = dir + "/" + GetParam().name + ".ico";
  ASSERT_TRUE(Convert(dir + "/src.ppm " + GetParam().options + " " + out));
  EXPECT_TRUE(SameImage(DecodeIco(ReadAll(out)), ExpectedLargest(out), GetParam().tolerance));
}

INSTANTIATE_TEST_SUITE_P(
    Depths, IcoVariants,
    ::testing::Values(IcoCase{"colors16", "-colors 16", 0}, IcoCase{"colors200", "-colors 200", 0},
                      IcoCase{"truecolor", "", 0},
                      IcoCase{"masked", "-fill black -draw 'rectangle 0,0 20,20' -transparent black", 0},
                      IcoCase{"alpha", "-alpha set -channel A -fx '(i+j)/(w+h)' +channel", 1},
                      IcoCase{"sizes", "-define icon:auto-resize=16,48,32", 0}),
    [](const auto& info) { return std::string(info.param.name); });

void SetLe32(ByteVector& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

// An icon file of 16 x 16 and 32 x 32 images from ImageMagick.
ByteVector TwoSizes() {
  const std::string dir = FixtureDir("ico_cases");
  WritePpm(dir + "/src.ppm", PhotoLike(32, 32));
  EXPECT_TRUE(Convert(dir + "/src.ppm -define icon:auto-resize=16,32 " + dir + "/two.ico"));
  return ReadAll(dir + "/two.ico");
}

size_t EntryFor(const ByteVector& ico, int width) {
  for (size_t i = 0; i < ico[4]; ++i) {
    if (ico[6 + 16 * i] == width) return 6 + 16 * i;
  }
  return 0;
}

TEST(Ico, AnEntryThatLiesIsSkippedForTheNextLargest) {
  ByteVector ico = TwoSizes();
  const size_t big = EntryFor(ico, 32);
  ASSERT_NE(big, 0u);
  ByteVector pastEnd = ico;
  SetLe32(pastEnd, big + 12, uint32_t(ico.size()));  // data offset at the end of the file
  std::optional<Image> image = DecodeIco(pastEnd);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 16);
  ByteVector hugeSize = ico;
  SetLe32(hugeSize, big + 8, 0x7FFFFFFF);
  image = DecodeIco(hugeSize);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 16);
}

TEST(Ico, PngEntriesAreSkipped) {
  ByteVector ico = TwoSizes();
  const size_t big = EntryFor(ico, 32);
  ByteVector png = ico;
  const uint32_t offset = png[big + 12] | png[big + 13] << 8 | png[big + 14] << 16 | uint32_t(png[big + 15]) << 24;
  const uint8_t signature[] = {0x89, 'P', 'N', 'G'};
  std::copy(signature, signature + 4, png.begin() + offset);
  std::optional<Image> image = DecodeIco(png);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 16);
}

TEST(Ico, TheSizeComesFromTheBitmapNotTheDirectory) {
  ByteVector ico = TwoSizes();
  const size_t big = EntryFor(ico, 32);
  ico[big] = 200;  // the directory claims 200 x 200
  ico[big + 1] = 200;
  std::optional<Image> image = DecodeIco(ico);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 32);
  EXPECT_EQ(image->height, 32);
}

TEST(Ico, RefusesFilesThatAreNotIcons) {
  ByteVector ico = TwoSizes();
  ByteVector cursor = ico;
  cursor[2] = 2;
  EXPECT_FALSE(DecodeIco(cursor));
  ByteVector manyEntries = ico;
  manyEntries[4] = manyEntries[5] = 0xFF;  // a directory longer than the file
  EXPECT_FALSE(DecodeIco(manyEntries));
  ByteVector none = ico;
  none[4] = none[5] = 0;
  EXPECT_FALSE(DecodeIco(none));
}

}  // namespace
}  // namespace codecs
