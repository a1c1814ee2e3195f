#include "codecs/decode_picture.h"

#include <gtest/gtest.h>

#include "codec_test_support.h"
#include "codecs/dib_decoder.h"
#include "codecs/nview_lib.h"

namespace codecs {
namespace {

using namespace codecs::testing;

class DecoderTable : public ::testing::Test {
 protected:
  static ByteVector Make(const std::string& name, const std::string& options) {
    const std::string dir = FixtureDir("table");
    WritePpm(dir + "/src.ppm", PhotoLike(24, 16));
    EXPECT_TRUE(ConvertTo(dir + "/src.ppm", options, dir + "/" + name));
    return ReadAll(dir + "/" + name);
  }
};

TEST_F(DecoderTable, ChoosesTheDecoderByExtension) {
  const ByteVector bmp = Make("a.bmp", "bmp3:"), jpg = Make("a.jpg", ""), gif = Make("a.gif", "");
  const ByteVector png = Make("a.png", ""), webp = Make("a.webp", ""), avif = Make("a.avif", "");
  const ByteVector heic = Make("a.heic", "");
  EXPECT_TRUE(DecodePicture("bmp", bmp, JpegQuality::Saver));
  EXPECT_TRUE(DecodePicture("dib", bmp, JpegQuality::Saver));
  EXPECT_TRUE(DecodePicture("jpeg", jpg, JpegQuality::Saver));
  EXPECT_TRUE(DecodePicture("jif", jpg, JpegQuality::Saver));
  EXPECT_TRUE(DecodePicture("gif", gif, JpegQuality::Saver));
  EXPECT_TRUE(DecodePicture("png", png, JpegQuality::Saver));
  EXPECT_TRUE(DecodePicture("webp", webp, JpegQuality::Saver));
  EXPECT_TRUE(DecodePicture("avif", avif, JpegQuality::Saver));
  for (const char* ext : {"heic", "heif", "hif"}) EXPECT_TRUE(DecodePicture(ext, heic, JpegQuality::Saver)) << ext;
  EXPECT_FALSE(DecodePicture("heic", png, JpegQuality::Saver));
  EXPECT_FALSE(DecodePicture("bmp", jpg, JpegQuality::Saver)) << "a bitmap file is read as nothing else";
  EXPECT_FALSE(DecodePicture("png", bmp, JpegQuality::Saver));
  EXPECT_FALSE(DecodePicture("webp", png, JpegQuality::Saver));
  EXPECT_FALSE(DecodePicture("avif", webp, JpegQuality::Saver));
  EXPECT_FALSE(DecodePicture("_", bmp, JpegQuality::Saver));
  EXPECT_FALSE(DecodePicture("pics\\re", bmp, JpegQuality::Saver));
  for (const char* ext :
       {"bmp", "jpg", "jpeg", "jif", "gif", "dib", "rle", "tga", "pcx", "ico", "png", "webp", "avif", "heic", "heif",
        "hif"}) {
    EXPECT_TRUE(HasPictureDecoder(ext)) << ext;
  }
  EXPECT_FALSE(HasPictureDecoder("tif"));
  EXPECT_FALSE(HasPictureDecoder("JPG")) << "extensions arrive lower-cased";
}

TEST_F(DecoderTable, OnlyJpgAndJpegTakeTheThumbnailSettings) {
  const ByteVector jpg = Make("t.jpg", "");
  EXPECT_EQ(DecodePicture("jpg", jpg, JpegQuality::Thumbnail)->width, 12);
  EXPECT_EQ(DecodePicture("jpeg", jpg, JpegQuality::Thumbnail)->width, 12);
  EXPECT_EQ(DecodePicture("jif", jpg, JpegQuality::Thumbnail)->width, 24) << "a JIF goes to the picture library";
}

TEST_F(DecoderTable, TheLibraryKnowsFormatsByContent) {
  const ByteVector tga = Make("x.tga", ""), pcx = Make("x.pcx", ""), bmp = Make("x.bmp", "bmp3:");
  for (const ByteVector* file : {&tga, &pcx, &bmp}) {
    std::optional<Image> image = NViewLibLoad(*file);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 24);
  }
  EXPECT_TRUE(DecodePicture("rle", tga, JpegQuality::Saver)) << "the name does not matter to the library";
  EXPECT_FALSE(NViewLibLoad(ByteVector{}));
  EXPECT_FALSE(NViewLibLoad(ByteVector(100, 0x41)));
}

// A file is read only when its extension has a decoder; what the reader gives
// is decoded by the extension of the path, upper-case or not.
TEST_F(DecoderTable, AFileIsReadOnlyWhenItsExtensionHasADecoder) {
  const ByteVector bmp = Make("f.bmp", "bmp3:");
  std::vector<std::string> read;
  const FileReader reader = [&](const std::string& path) -> std::optional<std::vector<uint8_t>> {
    read.push_back(path);
    if (path.find("missing") != std::string::npos) return std::nullopt;
    return bmp;
  };
  EXPECT_TRUE(DecodePictureFile("C:\\Pics\\F.BMP", reader, JpegQuality::Saver));
  EXPECT_FALSE(DecodePictureFile("C:\\Pics\\missing.bmp", reader, JpegQuality::Saver));
  EXPECT_FALSE(DecodePictureFile("C:\\Pics\\f.jpg", reader, JpegQuality::Saver)) << "a bitmap under a JPEG name";
  EXPECT_FALSE(DecodePictureFile("C:\\Pics\\notes.txt", reader, JpegQuality::Saver));
  EXPECT_EQ(read, (std::vector<std::string>{"C:\\Pics\\F.BMP", "C:\\Pics\\missing.bmp", "C:\\Pics\\f.jpg"}));
}

// The built-in sample picture: the saver loads the resource's bytes (a packed
// DIB without the file header) and decodes them like any bitmap.
TEST(SamplePicture, IsAFourFrameStripThatDecodesAsAResource) {
  const ByteVector file = ReadAll(std::string(TOLVEX_SOURCE_DIR) + "/resources/tolvex.bmp");
  ASSERT_GT(file.size(), 14u);
  EXPECT_EQ(file[28], 4) << "16 colours";
  const ByteVector resource(file.begin() + 14, file.end());
  std::optional<Image> image = DecodeDib(resource);
  ASSERT_TRUE(image);
  EXPECT_TRUE(SameImage(image, DecodeBmpFile(file)));
  ASSERT_EQ(image->width, 128);
  ASSERT_EQ(image->height, 32);
  auto frame = [&](int f) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < 32; ++y) pixels.insert(pixels.end(), image->row(y) + 32 * f, image->row(y) + 32 * f + 32);
    return pixels;
  };
  EXPECT_EQ(frame(0), frame(2));
  EXPECT_EQ(frame(1), frame(3));
  EXPECT_NE(frame(0), frame(1));
  EXPECT_EQ(image->row(31)[0], 0u) << "black background";
  const uint32_t centre = image->row(22)[13];
  EXPECT_GT(centre & 0xFF, centre >> 16) << "a blue face";
}

}  // namespace
}  // namespace codecs
