// HEIC decoded on several threads gives exactly the pixels of one thread: a
// plain coded image whose rows heif-enc codes as wavefronts, which libde265
// decodes side by side, and a grid, whose tiles libheif decodes side by side.
#include <gtest/gtest.h>

#include <string>

#include "codec_test_support.h"
#include "codecs/heif_decoder.h"

namespace codecs {
namespace {

using namespace codecs::testing;

// A picture of many rows of coding blocks, as one coded image and as a grid
// of six tiles.
struct Files {
  std::string single;
  std::string grid;
};

const Files& Made() {
  static const Files files = [] {
    const std::string d = FixtureDir("heif_threads");
    WritePpm(d + "/src.ppm", PhotoLike(960, 640));
    Convert(d + "/src.ppm " + d + "/src.png");
    Convert(d + "/src.png -crop 320x320 +repage " + d + "/tile%d.png");
    Run("heif-enc -q 80 " + d + "/src.png -o " + d + "/single.heic >/dev/null 2>&1");
    std::string tiles;
    for (int t = 0; t < 6; ++t) {
      const std::string tile = d + "/tile" + std::to_string(t);
      Run("heif-enc -q 80 " + tile + ".png -o " + tile + ".heic >/dev/null 2>&1");
      tiles += " " + tile + ".heic";
    }
    Run(std::string(TOLVEX_SOURCE_DIR) + "/tests/support/heif-assemble " + d + "/grid.heic" + tiles +
        " --columns 3 --width 960 --height 640");
    return Files{d + "/single.heic", d + "/grid.heic"};
  }();
  return files;
}

void ExpectSameOnEveryCount(const std::string& path) {
  const ByteVector bytes = ReadAll(path);
  const std::optional<Image> one = DecodeHeif(bytes, {}, 1);
  ASSERT_TRUE(one) << path;
  EXPECT_EQ(one->width, 960);
  for (int threads : {2, 3, 4}) EXPECT_TRUE(SameImage(DecodeHeif(bytes, {}, threads), one, 0)) << threads;
}

TEST(HeifThreads, APlainImageDecodesTheSameOnSeveralThreads) { ExpectSameOnEveryCount(Made().single); }

TEST(HeifThreads, AGridDecodesTheSameOnSeveralThreads) { ExpectSameOnEveryCount(Made().grid); }

}  // namespace
}  // namespace codecs
