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

TEST(PictureExtension, PathsOf101BytesOrMoreHaveNone) {
  const std::string stem(96, 'a');
  EXPECT_EQ(PictureExtension(stem + ".jpg"), "jpg");         // 100 bytes
  EXPECT_EQ(PictureExtension(stem + "a.jpg"), "_");          // 101 bytes
  EXPECT_EQ(PictureExtension(std::string(300, 'b') + ".bmp"), "_");
}

TEST(PictureExtension, LeavesTrailBytesOfDoubleByteCharactersAlone) {
  // "ソ" is 0x83 0x5C and "Ａ" 0x82 0x60; 0x83 0x41 ("ア") has an ASCII 'A' as
  // its trail byte, which ANSI lower-casing must not touch.
  EXPECT_EQ(PictureExtension("C:\\\x83\x41.B\x83\x41MP"), "b\x83\x41mp");
  EXPECT_EQ(PictureExtension("C:\\pic.\x82\x60"), "\x82\x60");
  // A lead byte just before the dot swallows only its own trail byte.
  EXPECT_EQ(PictureExtension("\x83\x5C.PCX"), "pcx");
}

}  // namespace
}  // namespace codecs
