// Pictures of today's formats in a still show of the real saver: PNG, WebP,
// AVIF and HEIC come after the classic formats, what the system's own codecs
// read (TIFF) after all of ours, each standing centred at its own size,
// phone photos marked as turned stand upright, and a picture bomb gives the
// sample picture.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/wine/driver/photo_fixtures.h"
#include "tests/wine/driver/wait.h"
#include "tests/wine/slideshow/screen_pixels.h"
#include "tests/wine/slideshow/show_fixture.h"
#include "tests/wine/slideshow/test_pictures.h"

namespace slideshow_test {
namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kGrey = 0x808080, kDark = 0x404040;

void CopyFixture(const std::wstring& name, const TempFolder& folder, const std::wstring& as) {
  ASSERT_TRUE(::CopyFileW(driver::PhotoFixture(name).c_str(), folder.File(as).c_str(), FALSE))
      << "missing fixture (made by tests/wine/make-photo-fixtures)";
}

RECT Centred(int32_t w, int32_t h) {
  const RECT s = ScreenRect();
  const LONG left = (s.right - w) / 2, top = (s.bottom - h) / 2;
  return {left, top, left + w, top + h};
}

// Watches the centre through the colours and checks each picture stood
// centred at 160 x 120.
void ExpectCentredInTurn(const std::vector<uint32_t>& expected) {
  const RECT s = ScreenRect();
  const RECT centred = Centred(160, 120);
  int misplaced = 0;
  const std::vector<Shown> shown = WatchPixel({s.right / 2, s.bottom / 2}, expected.size(), 15000, [&](uint32_t rgb) {
    const std::optional<RECT> at = ScreenShot().BoundsOf(Is(rgb));
    if (!at || !::EqualRect(&*at, &centred)) ++misplaced;
  });
  ASSERT_EQ(shown.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(shown[i].rgb, expected[i]) << "picture " << i;
  EXPECT_EQ(misplaced, 0) << "pictures not centred at their size";
}

TEST(PhotoFolder, PngWebpAndAvifStandInTurnAfterTheirMasksOrder) {
  TempFolder folder;
  CopyFixture(L"blue.avif", folder, L"a.avif");
  CopyFixture(L"green.webp", folder, L"b.webp");
  CopyFixture(L"red.png", folder, L"c.png");
  RunningShow show({.folder = folder.Path(), .floating = false, .switchSeconds = 1});
  ExpectCentredInTurn({kRed, kGreen, kBlue, kRed});
}

// HEIC after our other formats, whatever its name's case; TIFF after all of
// ours, through the system's codecs.
TEST(PhotoFolder, AJpegAPngAnUpperCaseHeicAndATiffStandInTurn) {
  TempFolder folder;
  CopyFixture(L"dark.heic", folder, L"a.HEIC");
  CopyFixture(L"red.png", folder, L"b.png");
  CopyFixture(L"grey.jpg", folder, L"c.jpg");
  CopyFixture(L"blue.tif", folder, L"d.tif");
  RunningShow show({.folder = folder.Path(), .floating = false, .switchSeconds = 1});
  ExpectCentredInTurn({kGrey, kRed, kDark, kBlue, kGrey});
}

TEST(PhotoFolder, TheBitmapComesBeforeThePng) {
  TempFolder folder;
  CopyFixture(L"red.png", folder, L"a.png");
  WriteSolidBmp(folder.File(L"b.bmp"), 160, 120, kGreen);
  RunningShow show({.folder = folder.Path(), .floating = false, .switchSeconds = 1});
  ExpectCentredInTurn({kGreen, kRed, kGreen});
}

// JPEG leaves solid colours near, not at, their values.
std::function<bool(uint32_t)> Near(uint32_t rgb) {
  return [rgb](uint32_t p) {
    for (int shift = 0; shift <= 16; shift += 8) {
      if (std::abs(int((p >> shift) & 0xFF) - int((rgb >> shift) & 0xFF)) > 40) return false;
    }
    return true;
  };
}

// A phone photo stored lying on its side, marked as turned a quarter, stands
// upright as 120 x 160 with red on top.
void ExpectUpright(const std::wstring& fixture) {
  TempFolder folder;
  CopyFixture(fixture, folder, fixture);
  RunningShow show({.folder = folder.Path(), .floating = false, .switchSeconds = 100});
  const RECT upright = Centred(120, 160);
  std::optional<RECT> red, blue;
  ASSERT_TRUE(driver::WaitUntil(
      [&] {
        const ScreenShot shot;
        red = shot.BoundsOf(Near(kRed));
        blue = shot.BoundsOf(Near(kBlue));
        return red && blue;
      },
      kStartTimeoutMs))
      << "the photo was not shown";
  // Red on top, blue below, together 120 wide and 160 high.
  EXPECT_EQ(red->left, upright.left);
  EXPECT_EQ(red->right, upright.right);
  EXPECT_EQ(red->top, upright.top);
  EXPECT_NEAR(red->bottom, upright.top + 80, 2);
  EXPECT_EQ(blue->left, upright.left);
  EXPECT_EQ(blue->right, upright.right);
  EXPECT_NEAR(blue->top, upright.top + 80, 2);
  EXPECT_EQ(blue->bottom, upright.bottom);
}

TEST(PhotoFolder, APortraitPhoneJpegStandsUpright) { ExpectUpright(L"portrait.jpg"); }

// The HEIC carries the EXIF orientation beside its irot, as phones write it:
// turned once, not twice.
TEST(PhotoFolder, APortraitPhoneHeicStandsUpright) { ExpectUpright(L"portrait.heic"); }

// A grid naming one tile four thousand times is refused before it is
// decoded, and an HEVC stream that crashes an unpatched libde265 is refused
// by its parameters: the sample picture stands in the bomb's place at its
// switch, and the show goes on with the next picture.
TEST(PhotoFolder, APictureBombShowsTheSampleAndTheShowGoesOn) {
  for (const wchar_t* bomb : {L"tiles.heic", L"transform.heic"}) {
    TempFolder folder;
    CopyFixture(L"red.png", folder, L"a.png");
    CopyFixture(bomb, folder, L"b.heic");
    RunningShow show({.folder = folder.Path(), .floating = false, .switchSeconds = 1});
    const auto red = [] { return ScreenShot().BoundsOf(Is(kRed)).has_value(); };
    const auto sample = [&] { return ScreenShot(Centred(32, 32)).Count(NotBlack()) > 50 && !red(); };
    ASSERT_TRUE(driver::WaitUntil(red, kStartTimeoutMs)) << "the first picture was not shown";
    EXPECT_TRUE(driver::WaitUntil(sample, 5000)) << "no sample picture in the place of " << bomb;
    EXPECT_TRUE(driver::WaitUntil(red, 5000)) << "the show did not go on after " << bomb;
  }
}

}  // namespace
}  // namespace slideshow_test
