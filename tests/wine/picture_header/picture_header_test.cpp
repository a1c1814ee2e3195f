// Picture headers read on Windows: through the wide file API, whatever the
// path's characters, and through the system's imaging component for the
// formats only it reads.
#include <windows.h>

#include <gtest/gtest.h>

#include "codecs/file_source.h"
#include "codecs/picture_header.h"
#include "codecs/system_codecs.h"
#include "codecs/wic_decoder_win.h"
#include "platform/utf16.h"
#include "tests/wine/driver/photo_fixtures.h"
#include "tests/wine/slideshow/test_pictures.h"

namespace {

std::string Utf8(const std::wstring& text) { return platform::Utf8FromWide(text); }

TEST(PictureHeaderOnWindows, ReadsAPhoneJpegAndHeicUnderAJapaneseName) {
  slideshow_test::TempFolder folder;
  for (const wchar_t* name : {L"portrait.jpg", L"portrait.heic"}) {
    const std::wstring copy = folder.File(std::wstring(L"縦長の写真_") + name);
    ASSERT_TRUE(CopyFileW(driver::PhotoFixture(name).c_str(), copy.c_str(), FALSE)) << Utf8(name);
    const codecs::PictureHeader header = codecs::ReadPictureHeaderFile(Utf8(copy), codecs::OpenFileSource);
    EXPECT_TRUE(header.read && header.portrait()) << Utf8(name);
    EXPECT_EQ(header.size, (codecs::PictureSize{120, 160})) << Utf8(name);
  }
}

TEST(PictureHeaderOnWindows, AsksTheSystemForTheFramesOfItsFormats) {
  codecs::InstallWicCodecs();
  ASSERT_TRUE(codecs::InstalledSystemCodecs().Reads("tif"));
  const std::string tiff = Utf8(driver::PhotoFixture(L"blue.tif"));
  const codecs::PictureHeader header = codecs::ReadPictureHeaderFile(tiff, codecs::OpenFileSource);
  EXPECT_TRUE(header.read);
  EXPECT_EQ(header.size, (codecs::PictureSize{160, 120}));
  EXPECT_FALSE(codecs::ShownSizeWithWic(Utf8(driver::PhotoFixture(L"missing.tif"))));
  codecs::InstallSystemCodecs({});
}

}  // namespace
