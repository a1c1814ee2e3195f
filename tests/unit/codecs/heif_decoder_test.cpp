// HEIC through libheif against heif-convert and ImageMagick: bit depths,
// grids, the file's own transformations, an EXIF orientation that the
// transformations already account for, Display P3, alpha and the thumbnail
// a file holds.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "codec_test_support.h"
#include "codecs/decode_picture.h"
#include "codecs/heif_grid.h"

namespace codecs {
namespace {

using namespace codecs::testing;

// Sources as PNG files in the suite's folder: a photo-like picture, the same
// with 16 bits and with an alpha ramp, and its four quarters as tiles.
std::string Sources() {
  static const std::string dir = [] {
    const std::string d = FixtureDir("heif");
    WritePpm(d + "/src.ppm", PhotoLike(64, 48));
    Convert(d + "/src.ppm " + d + "/src.png");
    Convert(d + "/src.ppm -depth 16 " + d + "/deep.png");
    Convert(d + "/src.ppm \\( -size 48x64 gradient:black-white -rotate 90 \\) -compose CopyOpacity -composite " + d +
            "/alpha.png");
    Convert(d + "/src.png -crop 32x24 +repage " + d + "/tile%d.png");
    return d;
  }();
  return dir;
}

std::optional<Image> Decode(const std::string& path, const ShownSize& shown = {}) {
  return DecodePicture("heic", ReadAll(path), JpegQuality::Saver, shown);
}

// heif-convert's decode over black, turned by ImageMagick's options.
std::optional<Image> HeifConvert(const std::string& path, const std::string& options = "") {
  if (!Run("heif-convert " + path + " " + path + ".png >/dev/null 2>&1")) return std::nullopt;
  return ConvertDecode(path + ".png", "-background black -flatten " + options);
}

// tests/support/heif-assemble with its arguments.
bool Assemble(const std::string& arguments) {
  return Run(std::string(TOLVEX_SOURCE_DIR) + "/tests/support/heif-assemble " + arguments);
}

std::string Encode(const std::string& source, const std::string& options, const std::string& out) {
  const std::string dir = Sources();
  EXPECT_TRUE(Run("heif-enc " + options + " " + dir + "/" + source + " -o " + dir + "/" + out + " >/dev/null 2>&1"))
      << out;
  return dir + "/" + out;
}

struct HeifCase {
  const char* name;
  const char* source;   // a PNG of Sources()
  const char* options;  // heif-enc's
  int tolerance;
};

class HeifFiles : public ::testing::TestWithParam<HeifCase> {};

TEST_P(HeifFiles, MatchHeifConvert) {
  const HeifCase& c = GetParam();
  const std::string file = Encode(c.source, c.options, std::string(c.name) + ".heic");
  EXPECT_TRUE(SameImage(Decode(file), HeifConvert(file), c.tolerance));
}

INSTANTIATE_TEST_SUITE_P(Variants, HeifFiles,
                         ::testing::Values(HeifCase{"eight_bit", "src.png", "-q 90", 0},
                                           HeifCase{"ten_bit", "deep.png", "-q 90 -b 10", 1},
                                           HeifCase{"lossless444", "src.png", "-L -p chroma=444", 0},
                                           HeifCase{"alpha", "alpha.png", "-q 90", 1}),
                         [](const auto& info) { return std::string(info.param.name); });

// The file's transformations, and an EXIF orientation beside them, on a
// plain coded image and on a grid of four tiles cut to 60 x 44: expected is
// heif-convert's picture of the same coded pixels without them, turned by
// ImageMagick as the properties say.
struct LayoutCase {
  const char* name;
  bool grid;
  int irot, imir;
  int exifOrientation;  // 0: no EXIF item
  const char* turn;     // ImageMagick's options
};

class HeifLayouts : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(HeifLayouts, StandAsThePropertiesSay) {
  const LayoutCase& c = GetParam();
  const std::string dir = Sources();
  std::string coded = Encode("src.png", "-q 90", "single.heic");
  if (c.grid) {
    coded.clear();
    for (int t = 0; t < 4; ++t) {
      coded += " " + Encode("tile" + std::to_string(t) + ".png", "-q 90", "tile" + std::to_string(t) + ".heic");
    }
    coded += " --columns 2 --width 60 --height 44";
  }
  std::string properties;
  if (c.irot >= 0) properties += " --irot " + std::to_string(c.irot);
  if (c.imir >= 0) properties += " --imir " + std::to_string(c.imir);
  if (c.exifOrientation != 0) properties += " --exif-orientation " + std::to_string(c.exifOrientation);
  const std::string plain = dir + "/plain_" + c.name + ".heic", file = dir + "/" + c.name + ".heic";
  ASSERT_TRUE(Assemble(plain + " " + coded));
  ASSERT_TRUE(Assemble(file + " " + coded + properties));
  EXPECT_TRUE(SameImage(Decode(file), HeifConvert(plain, c.turn), 0));
}

INSTANTIATE_TEST_SUITE_P(
    Transformations, HeifLayouts,
    ::testing::Values(LayoutCase{"grid", true, -1, -1, 0, ""},
                      LayoutCase{"irot1", false, 1, -1, 0, "-rotate -90"},
                      LayoutCase{"irot2", false, 2, -1, 0, "-rotate 180"},
                      LayoutCase{"irot3", false, 3, -1, 0, "-rotate 90"},
                      LayoutCase{"imir0", false, -1, 0, 0, "-flop"},
                      LayoutCase{"imir1", false, -1, 1, 0, "-flip"},
                      LayoutCase{"irot1_imir0", false, 1, 0, 0, "-rotate -90 -flop"},
                      LayoutCase{"exif6_alone", false, -1, -1, 6, ""},
                      LayoutCase{"phone_portrait", true, 3, -1, 6, "-rotate 90"}),
    [](const auto& info) { return std::string(info.param.name); });

double SrgbToLinear(double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); }
double LinearToSrgb(double v) {
  v = std::clamp(v, 0.0, 1.0);
  return v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
}

// Display P3 numbers in sRGB: the same transfer, and the matrix from P3's
// primaries to sRGB's (both with D65 white), clipped.
Image DisplayP3ToSrgb(Image image) {
  constexpr double kP3ToSrgb[3][3] = {{1.2249, -0.2247, 0.0}, {-0.0420, 1.0419, 0.0}, {-0.0197, -0.0786, 1.0979}};
  for (uint32_t& p : image.pixels) {
    const double in[3] = {SrgbToLinear(((p >> 16) & 0xFF) / 255.0), SrgbToLinear(((p >> 8) & 0xFF) / 255.0),
                          SrgbToLinear((p & 0xFF) / 255.0)};
    uint8_t out[3];
    for (int i = 0; i < 3; ++i) {
      const double linear = kP3ToSrgb[i][0] * in[0] + kP3ToSrgb[i][1] * in[1] + kP3ToSrgb[i][2] * in[2];
      out[i] = uint8_t(std::lround(LinearToSrgb(linear) * 255));
    }
    p = Rgb(out[0], out[1], out[2]);
  }
  return image;
}

// Display P3's primaries (12), sRGB's transfer (13), BT.601's matrix (6).
TEST(HeifColour, DisplayP3IsConvertedToSrgb) {
  const std::string coded = Encode("src.png", "-q 90", "p3_pixels.heic");
  const std::string plain = Sources() + "/p3_plain.heic", file = Sources() + "/p3.heic";
  ASSERT_TRUE(Assemble(plain + " " + coded));
  ASSERT_TRUE(Assemble(file + " " + coded + " --nclx 12,13,6"));
  const std::optional<Image> numbers = HeifConvert(plain);
  ASSERT_TRUE(numbers);
  EXPECT_TRUE(SameImage(Decode(file), DisplayP3ToSrgb(*numbers), 3));
}

// HEVC decodes only whole: a thumbnail the file holds is decoded instead
// where it covers the size shown, and only there.
TEST(HeifThumbnail, IsTakenWhenItCoversTheSizeShown) {
  const std::string file = Encode("src.png", "-q 90 -t 32", "thumbnailed.heic");
  const auto shownAt = [](int32_t width, int32_t height) {
    return [=](PictureSize) { return PictureSize{width, height}; };
  };
  const std::optional<Image> small = Decode(file, shownAt(30, 20));
  ASSERT_TRUE(small);
  EXPECT_EQ(small->width, 32);
  EXPECT_EQ(small->height, 24);
  EXPECT_EQ(Decode(file, shownAt(40, 30))->width, 64) << "a thumbnail smaller than shown is not enough";
  EXPECT_EQ(Decode(file)->width, 64) << "without a size shown, the whole picture";
}

// A grid decodes at the size its own data declares: a grid that declares
// more than the cap is refused before libheif allocates it, whatever its
// item's size says.
TEST(HeifGrid, IsCheckedAtTheSizeItsDataDeclares) {
  std::string tiles;
  for (int t = 0; t < 4; ++t) tiles += " " + Encode("tile" + std::to_string(t) + ".png", "-q 90", "tile" + std::to_string(t) + ".heic");
  struct Case {
    const char* name;
    std::string arguments;
    std::optional<PictureSize> declared;
    bool decodes;
  };
  const std::string grid = tiles + " --columns 2 --width 60 --height 44";
  for (const Case& c : {Case{"grid", grid, PictureSize{60, 44}, true},
                        Case{"bomb", grid + " --declared 20000x20000", PictureSize{20000, 20000}, false},
                        Case{"plain", Encode("src.png", "-q 90", "one.heic"), std::nullopt, true}}) {
    const std::string file = Sources() + "/declared_" + c.name + ".heic";
    ASSERT_TRUE(Assemble(file + " " + c.arguments));
    const auto bytes = ReadAll(file);
    EXPECT_EQ(DeclaredGridSize(bytes, 1), c.declared) << c.name;
    EXPECT_EQ(Decode(file).has_value(), c.decodes) << c.name;
  }
}

}  // namespace
}  // namespace codecs
