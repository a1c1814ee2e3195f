// Truncated files: a cut file either fails or, where only bytes that carry no
// pixels are missing, gives the same picture as the whole file. It never
// gives a partial picture and never crashes.
#include <gtest/gtest.h>

#include <functional>

#include "codec_test_support.h"
#include "codecs/decode_picture.h"

namespace codecs {
namespace {

using namespace codecs::testing;

struct Sample {
  const char* name;
  const char* extension;
  const char* options;
};

class Truncation : public ::testing::TestWithParam<Sample> {};

TEST_P(Truncation, ACutFileFailsOrIsWhole) {
  const Sample& s = GetParam();
  const std::string dir = FixtureDir("truncation");
  WritePpm(dir + "/src.ppm", PhotoLike(41, 29));
  const std::string out = dir + "/" + s.name + "." + s.extension;
  ASSERT_TRUE(ConvertTo(dir + "/src.ppm", s.options, out));
  const ByteVector whole = ReadAll(out);
  const std::optional<Image> full = DecodePicture(s.extension, whole, JpegQuality::Saver);
  ASSERT_TRUE(full);
  std::vector<size_t> cuts;
  for (size_t n = 0; n < 80 && n < whole.size(); ++n) cuts.push_back(n);
  for (size_t i = 1; i < 60; ++i) cuts.push_back(whole.size() * i / 60);
  for (size_t n = 1; n <= 8 && n < whole.size(); ++n) cuts.push_back(whole.size() - n);
  for (size_t cut : cuts) {
    const ByteVector part(whole.begin(), whole.begin() + cut);
    const std::optional<Image> image = DecodePicture(s.extension, part, JpegQuality::Saver);
    if (image) EXPECT_TRUE(SameImage(image, full)) << s.name << " cut at " << cut << " of " << whole.size();
  }
}

INSTANTIATE_TEST_SUITE_P(
    AllDecoders, Truncation,
    ::testing::Values(Sample{"bmp24", "bmp", "bmp3:"}, Sample{"rle8", "bmp", "-colors 100 -compress RLE bmp3:"},
                      Sample{"rle4", "bmp", "-colors 16 -compress RLE bmp3:"},
                      Sample{"dib_v5", "dib", "-alpha set bmp:"}, Sample{"jpeg", "jpg", ""},
                      Sample{"progressive", "jpg", "-interlace JPEG"}, Sample{"gif", "gif", ""},
                      Sample{"gif_interlaced", "gif", "-interlace GIF"}, Sample{"tga", "tga", "-compress None"},
                      Sample{"tga_rle", "tga", "-compress RLE"}, Sample{"pcx", "pcx", ""},
                      Sample{"pcx_palette", "pcx", "-type Palette"}, Sample{"ico", "ico", "-colors 16"},
                      Sample{"jif", "jif", "jpg:"}, Sample{"png", "png", ""},
                      Sample{"png_adam7", "png", "-interlace PNG"}, Sample{"webp_lossy", "webp", ""},
                      Sample{"webp_lossless", "webp", "-define webp:lossless=true"},
                      Sample{"avif", "avif", ""}, Sample{"heic", "heic", ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace codecs
