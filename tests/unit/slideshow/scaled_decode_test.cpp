// Decoding at the size shown against decoding whole and then fitting, on real
// JPEG and WebP files: the fitted size is the same for every size and aspect,
// the pixels differ by no more than the two reductions' rounding, and a strip
// or a picture shown at its own size is decoded whole.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "codec_test_support.h"
#include "codecs/decode_picture.h"
#include "slideshow/load_picture.h"

namespace slideshow {
namespace {

using codecs::testing::ByteVector;

struct ScaledCase {
  int32_t width, height;  // as stored; orientation 6 stands it on its side
  int orientation;
  bool floating;
  Size screen;
  Size fitted;
  bool reducedWhileDecoding;  // false: decoded whole
};

constexpr Size k1024{1024, 768};
constexpr Size k1920{1920, 1080};

// The fitting examples of the loading rules on a 1024 x 768 screen, and
// photographs of every shape on 1920 x 1080.
constexpr ScaledCase kCases[] = {
    {800, 600, 1, true, k1024, {682, 511}, true},
    {800, 600, 1, false, k1024, {800, 600}, false},
    {1600, 1200, 1, false, k1024, {1014, 760}, true},
    {1000, 900, 1, false, k1024, {810, 729}, true},
    {600, 900, 1, false, k1024, {504, 758}, true},
    {600, 900, 1, true, k1024, {340, 512}, true},
    {100, 100, 1, true, k1024, {100, 100}, false},
    {320, 80, 1, true, k1024, {320, 80}, false},
    {4000, 1000, 1, false, k1024, {4000, 1000}, false},
    {900, 600, 6, false, k1024, {504, 758}, true},
    {2400, 1600, 1, true, k1920, {1280, 853}, true},
    {2400, 1600, 1, false, k1920, {1547, 1031}, true},
    {1999, 1333, 1, false, k1920, {1547, 1032}, true},
    {1001, 3001, 1, true, k1920, {239, 720}, true},
    {2500, 1000, 1, false, k1920, {1910, 764}, true},
};

ByteVector Encode(const std::string& dir, const ScaledCase& c, const std::string& ext) {
  const std::string name =
      dir + "/" + std::to_string(c.width) + "x" + std::to_string(c.height) + "o" + std::to_string(c.orientation);
  codecs::testing::WritePpm(name + ".ppm", codecs::testing::PhotoLike(c.width, c.height));
  const std::string command = ext == "jpg" ? "cjpeg -quality 90 -outfile " + name + ".jpg " + name + ".ppm"
                                           : "cwebp -quiet -q 85 " + name + ".ppm -o " + name + ".webp";
  EXPECT_TRUE(codecs::testing::Run(command)) << command;
  if (c.orientation != 1) {
    EXPECT_TRUE(codecs::testing::Run("exiftool -q -overwrite_original -Orientation#=" +
                                     std::to_string(c.orientation) + " " + name + "." + ext));
  }
  return codecs::testing::ReadAll(name + "." + ext);
}

struct Difference {
  double mean = 0;
  int max = 0;
};

Difference Compare(const codecs::Image& a, const codecs::Image& b) {
  int64_t sum = 0;
  Difference d;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    for (int shift : {0, 8, 16}) {
      const int v = std::abs(int((a.pixels[i] >> shift) & 0xFF) - int((b.pixels[i] >> shift) & 0xFF));
      sum += v;
      d.max = std::max(d.max, v);
    }
  }
  d.mean = a.pixels.empty() ? 0 : double(sum) / double(a.pixels.size() * 3);
  return d;
}

class ScaledDecode : public ::testing::TestWithParam<std::string> {};

TEST_P(ScaledDecode, FitsAsTheWholePictureWithinRoundingOfItsPixels) {
  const std::string ext = GetParam();
  const std::string dir = codecs::testing::FixtureDir("scaled_decode_" + ext);
  for (const ScaledCase& c : kCases) {
    const ByteVector bytes = Encode(dir, c, ext);
    std::optional<Size> delivered;
    const DecodeFunction scaled = [&](const std::string&, const codecs::ShownSize& shown) {
      std::optional<codecs::Image> image = codecs::DecodePicture(ext, bytes, codecs::JpegQuality::Saver, shown);
      if (image) delivered = Size{image->width, image->height};
      return image;
    };
    const DecodeFunction whole = [&](const std::string&, const codecs::ShownSize&) {
      return codecs::DecodePicture(ext, bytes, codecs::JpegQuality::Saver);
    };
    const std::string label = std::to_string(c.width) + "x" + std::to_string(c.height) +
                              (c.floating ? " floating on " : " still on ") + std::to_string(c.screen.width);
    const std::optional<FittedPicture> fromScaled = DecodeAndFit(scaled, "p", DisplayMethodOf(c.floating, false), c.screen);
    const std::optional<FittedPicture> fromWhole = DecodeAndFit(whole, "p", DisplayMethodOf(c.floating, false), c.screen);
    ASSERT_TRUE(fromScaled && fromWhole && delivered) << label;
    EXPECT_EQ(fromScaled->fitted, c.fitted) << label;
    EXPECT_EQ(fromWhole->fitted, c.fitted) << label;
    const Size stored{c.width, c.height}, upright{c.height, c.width};
    EXPECT_EQ(*delivered != (c.orientation == 1 ? stored : upright), c.reducedWhileDecoding) << label;
    const Difference d = Compare(fromScaled->bitmap, fromWhole->bitmap);
    if (c.reducedWhileDecoding) {
      // JPEG's scaled transform drops the finest detail before the area
      // averaging does, and WebP's own scaler rounds in its own way: on this
      // detailed content a couple of levels on average, and a few dozen at
      // worst on the sharpest edges. A picture out of place or turned wrong
      // differs by tens on average.
      EXPECT_LE(d.mean, 2.5) << label;
      EXPECT_LE(d.max, 64) << label;
    } else {
      EXPECT_EQ(d.max, 0) << label << ": decoded whole, as without scaling";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, ScaledDecode, ::testing::Values("jpg", "webp"));

}  // namespace
}  // namespace slideshow
