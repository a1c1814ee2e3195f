#include "codecs/jpeg_decoder.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <jpeglib.h>

#include "codec_test_support.h"
#include "codecs/area_reduce.h"

namespace codecs {
namespace {

using namespace codecs::testing;

std::optional<Image> Djpeg(const std::string& file, const std::string& options) {
  std::optional<ByteVector> out = Capture("djpeg " + options + " -pnm '" + file + "' 2>/dev/null");
  if (!out) return std::nullopt;
  return ParsePnm(*out);
}

struct JpegCase {
  const char* name;
  const char* options;
  int width;
  int height;
};

class JpegVariants : public ::testing::TestWithParam<JpegCase> {
 protected:
  std::string Make() {
    const std::string dir = FixtureDir("jpeg");
    const JpegCase& c = GetParam();
    WritePpm(dir + "/" + c.name + ".ppm", PhotoLike(c.width, c.height));
    const std::string out = dir + "/" + c.name + ".jpg";
    EXPECT_TRUE(Convert(dir + "/" + c.name + ".ppm " + c.options + " " + out));
    return out;
  }
};

// The saver's decode is djpeg's accurate full-size one; the thumbnail's is
// djpeg's fast half-size one, sizes rounded up.
TEST_P(JpegVariants, MatchDjpeg) {
  const std::string file = Make();
  const ByteVector bytes = ReadAll(file);
  EXPECT_TRUE(SameImage(DecodeJpeg(bytes, JpegQuality::Saver), Djpeg(file, "-dct int")));
  std::optional<Image> thumb = DecodeJpeg(bytes, JpegQuality::Thumbnail);
  EXPECT_TRUE(SameImage(thumb, Djpeg(file, "-scale 1/2 -dct fast")));
  ASSERT_TRUE(thumb);
  EXPECT_EQ(thumb->width, (GetParam().width + 1) / 2);
  EXPECT_EQ(thumb->height, (GetParam().height + 1) / 2);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, JpegVariants,
    ::testing::Values(JpegCase{"ycbcr420", "-quality 85", 64, 48}, JpegCase{"odd337", "-quality 90", 337, 337},
                      JpegCase{"ycbcr444", "-sampling-factor 1x1 -quality 92", 75, 33},
                      JpegCase{"ycbcr422", "-sampling-factor 2x1", 51, 29},
                      JpegCase{"progressive", "-interlace JPEG", 97, 61},
                      JpegCase{"greyscale", "-colorspace Gray", 45, 31},
                      JpegCase{"restarts", "-define jpeg:restart-interval=1", 70, 40},
                      JpegCase{"optimized", "-define jpeg:optimize-coding=true", 33, 65}),
    [](const auto& info) { return std::string(info.param.name); });

// Writes a flat-coloured CMYK JPEG with libjpeg, with or without the Adobe
// marker that says the values are stored inverted.
ByteVector CmykJpeg(const uint8_t cmyk[4], bool adobe) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = 16;
  cinfo.image_height = 16;
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&cinfo);
  jpeg_set_colorspace(&cinfo, JCS_CMYK);
  jpeg_set_quality(&cinfo, 100, TRUE);
  cinfo.write_Adobe_marker = adobe ? TRUE : FALSE;
  jpeg_start_compress(&cinfo, TRUE);
  uint8_t row[16 * 4];
  for (int i = 0; i < 16 * 4; ++i) row[i] = cmyk[i % 4];
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW p = row;
    jpeg_write_scanlines(&cinfo, &p, 1);
  }
  jpeg_finish_compress(&cinfo);
  ByteVector out(buffer, buffer + size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return out;
}

TEST(Jpeg, CmykDecodesWithAndWithoutAdobeInversion) {
  const uint8_t ink[4] = {40, 120, 200, 30};  // C, M, Y, K as amounts of ink
  const uint8_t inverted[4] = {215, 135, 55, 225};
  auto expect = [](std::optional<Image> image) {
    ASSERT_TRUE(image);
    const uint32_t p = image->row(image->height / 2)[image->width / 2];
    // (255 - ink) * (255 - K) / 255, within JPEG's rounding.
    EXPECT_NEAR(int(p >> 16), 190, 2);
    EXPECT_NEAR(int((p >> 8) & 0xFF), 119, 2);
    EXPECT_NEAR(int(p & 0xFF), 49, 2);
    EXPECT_EQ(p >> 24, 0u);
  };
  expect(DecodeJpeg(CmykJpeg(ink, false), JpegQuality::Saver));
  expect(DecodeJpeg(CmykJpeg(inverted, true), JpegQuality::Saver));
  expect(DecodeJpeg(CmykJpeg(inverted, true), JpegQuality::Thumbnail));
}

TEST(Jpeg, CmykFromImageMagickMatchesItsDecode) {
  const std::string dir = FixtureDir("jpeg_cmyk");
  WritePpm(dir + "/src.ppm", PhotoLike(40, 24));
  ASSERT_TRUE(Convert(dir + "/src.ppm -colorspace CMYK -quality 95 " + dir + "/cmyk.jpg"));
  // ImageMagick converts CMYK to RGB in floating point: one level apart.
  EXPECT_TRUE(SameImage(DecodeJpeg(ReadAll(dir + "/cmyk.jpg"), JpegQuality::Saver),
                        ConvertDecode(dir + "/cmyk.jpg", "-colorspace sRGB"), 1));
}

// A valid progressive greyscale file of 128 scans: each coefficient on its
// own, first its high bits, then a refinement of the last bit.
ByteVector ManyScansJpeg() {
  std::vector<jpeg_scan_info> scans;
  for (int refine = 0; refine < 2; ++refine) {
    for (int k = 0; k < 64; ++k) scans.push_back({1, {0, 0, 0, 0}, k, k, refine, 1 - refine});
  }
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = 32;
  cinfo.image_height = 32;
  cinfo.input_components = 1;
  cinfo.in_color_space = JCS_GRAYSCALE;
  jpeg_set_defaults(&cinfo);
  cinfo.scan_info = scans.data();
  cinfo.num_scans = int(scans.size());
  jpeg_start_compress(&cinfo, TRUE);
  uint8_t row[32];
  while (cinfo.next_scanline < cinfo.image_height) {
    for (int x = 0; x < 32; ++x) row[x] = uint8_t(x * 7 + cinfo.next_scanline * 3);
    JSAMPROW p = row;
    jpeg_write_scanlines(&cinfo, &p, 1);
  }
  jpeg_finish_compress(&cinfo);
  ByteVector out(buffer, buffer + size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return out;
}

// With a size shown, the saver's picture comes at exactly that size, its
// pixels those of decoding at libjpeg's covering scale and reducing that by
// area averaging; the thumbnail's comes at the covering scale, and so does a
// size that is no reduction. Sizes upright; a file of 640 x 480 as stored.
struct ShownCase {
  int orientation;
  JpegQuality quality;
  PictureSize shown, delivered;
  PictureSize scaled;  // libjpeg's covering scale: where the reduce starts from
};

constexpr ShownCase kShown[] = {
    {1, JpegQuality::Saver, {300, 225}, {300, 225}, {320, 240}},   // between 4/8 and 3/8
    {3, JpegQuality::Saver, {50, 37}, {50, 37}, {80, 60}},         // below 1/8
    {6, JpegQuality::Saver, {225, 300}, {225, 300}, {240, 320}},   // on its side
    {1, JpegQuality::Saver, {320, 240}, {320, 240}, {320, 240}},   // a scale of its own
    {1, JpegQuality::Saver, {700, 500}, {640, 480}, {640, 480}},   // an enlargement
    {1, JpegQuality::Saver, {700, 100}, {640, 480}, {640, 480}},   // wider than whole
    {1, JpegQuality::Saver, {300, 0}, {320, 240}, {320, 240}},     // nothing high
    {1, JpegQuality::Thumbnail, {150, 112}, {160, 120}, {160, 120}},
};

TEST(Jpeg, SaverReducesToTheSizeShownAsAreaAveragingTheCoveringScale) {
  const std::string dir = FixtureDir("jpeg_shown");
  WritePpm(dir + "/src.ppm", PhotoLike(640, 480));
  for (const ShownCase& c : kShown) {
    const std::string file = dir + "/o" + std::to_string(c.orientation) + ".jpg";
    ASSERT_TRUE(Convert(dir + "/src.ppm -quality 90 " + file));
    ASSERT_TRUE(codecs::testing::Run("exiftool -q -overwrite_original -Orientation#=" + std::to_string(c.orientation) + " " + file));
    const ByteVector bytes = ReadAll(file);
    const auto asking = [](PictureSize size) { return [size](PictureSize) { return size; }; };
    const std::optional<Image> image = DecodeJpeg(bytes, c.quality, asking(c.shown));
    const std::optional<Image> scaled = DecodeJpeg(bytes, c.quality, asking(c.scaled));
    ASSERT_TRUE(image && scaled) << c.shown.width;
    ASSERT_EQ((PictureSize{image->width, image->height}), c.delivered) << c.shown.width;
    ASSERT_EQ((PictureSize{scaled->width, scaled->height}), c.scaled) << c.shown.width;
    Image reference(c.delivered.width, c.delivered.height);
    AreaReducer reducer(scaled->width, scaled->height, reference.pixels.data(), reference.width, reference.height,
                        reference.width);
    for (int32_t y = 0; y < scaled->height; ++y) reducer.AddRow(scaled->row(y));
    // Reduced before it is turned, the picture on its side rounds the two
    // passes the other way round: a level at most.
    EXPECT_TRUE(SameImage(image, reference, c.orientation >= 5 ? 1 : 0)) << c.shown.width;
  }
}

TEST(Jpeg, StopsAfterAHundredScans) {
  const std::string path = FixtureDir("jpeg_scans") + "/many.jpg";
  WriteAll(path, ManyScansJpeg());
  ASSERT_TRUE(Djpeg(path, "")) << "the file itself is valid";
  EXPECT_FALSE(DecodeJpeg(ReadAll(path), JpegQuality::Saver));
}

TEST(Jpeg, RefusesSizesOverTheCapBeforeDecoding) {
  const std::string dir = FixtureDir("jpeg_big");
  WritePpm(dir + "/src.ppm", PhotoLike(16, 16));
  ASSERT_TRUE(Convert(dir + "/src.ppm " + dir + "/small.jpg"));
  ByteVector b = ReadAll(dir + "/small.jpg");
  for (size_t i = 0; i + 8 < b.size(); ++i) {
    if (b[i] == 0xFF && b[i + 1] == 0xC0) {  // SOF0: height and width follow
      b[i + 5] = b[i + 7] = 0xFF;
      b[i + 6] = b[i + 8] = 0x00;            // 65280 x 65280
      break;
    }
  }
  EXPECT_FALSE(DecodeJpeg(b, JpegQuality::Saver));
  EXPECT_FALSE(DecodeJpeg(b, JpegQuality::Thumbnail));
}

TEST(Jpeg, RefusesEmptyAndForeignData) {
  EXPECT_FALSE(DecodeJpeg({}, JpegQuality::Saver));
  const ByteVector text = {'h', 'e', 'l', 'l', 'o'};
  EXPECT_FALSE(DecodeJpeg(text, JpegQuality::Saver));
}

}  // namespace
}  // namespace codecs
