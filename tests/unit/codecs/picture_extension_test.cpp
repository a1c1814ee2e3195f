#include "codecs/picture_extension.h"

#include <gtest/gtest.h>

#include <string>

namespace codecs {
namespace {

TEST(PictureExtension, LowerCasesTheTextAfterTheLastDot) {
  EXPECT_EQ(PictureExtension("C:\\Pics\\PHOTO.JPG"), "jpg");
  EXPECT_EQ(PictureExtension("C:\\Pics\\Cat.GIF"), "gif");
  EXPECT_EQ(PictureExtension("C:\\a.b\\c.tar.Jpeg"), "jpeg");
}

TEST(PictureExtension, IsAnUnderscoreWithoutADot) {
  EXPECT_EQ(PictureExtension("C:\\Pics\\readme"), "_");
  EXPECT_EQ(PictureExtension(""), "_");
}

TEST(PictureExtension, MayComeFromAFolderName) {
  EXPECT_EQ(PictureExtension("C:\\my.pics\\readme"), "pics\\re");
}

TEST(PictureExtension, IsCutToSevenBytes) {
  EXPECT_EQ(PictureExtension("x.abcdefghij"), "abcdefg");
  EXPECT_EQ(PictureExtension("x."), "");
}

TEST(PictureExtension, ComesFromPathsOfAnyLengthAndScript) {
  const std::string deep = "C:\\" + std::string(96, 'a') + "\\" + std::string(30000, 'b');
  const struct {
    std::string path;
    std::string extension;
  } cases[] = {
      {std::string(96, 'a') + ".jpg", "jpg"},   // 100 bytes
      {std::string(97, 'a') + ".JPG", "jpg"},   // 101 bytes
      {deep + ".Bmp", "bmp"},
      {"C:\\사진\\풍경.GIF", "gif"},
      {"C:\\😀.PCX", "pcx"},
      {"C:\\ア.Bア", "bア"},                  // only ASCII letters are lowered
      {"C:\\ソ.PCX", "pcx"},                  // 0x83 0x5C in CP932
      {"C:\\Ü.ÄBÇ", "ÄbÇ"},
      {"x.abcdef사진", "abcdef"},               // the seventh byte is inside 사
      {"x.abcd😀", "abcd"},
      {"x.abc😀d", "abc😀"},
  };
  for (const auto& c : cases) EXPECT_EQ(PictureExtension(c.path), c.extension) << c.path;
}

}  // namespace
}  // namespace codecs
