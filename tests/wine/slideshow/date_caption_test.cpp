// The date caption in the real saver: a grey photo filling the screen,
// dated 2024-05-03 or not, under each choice of fgDate; the caption's white
// shows in the bottom right corner only for a dated photo with the caption on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "tests/wine/driver/photo_fixtures.h"
#include "tests/wine/driver/wait.h"
#include "tests/wine/slideshow/screen_pixels.h"
#include "tests/wine/slideshow/show_fixture.h"
#include "tests/wine/slideshow/test_pictures.h"

namespace slideshow_test {
namespace {

bool NearGrey(uint32_t p) {
  for (int shift = 0; shift <= 16; shift += 8)
    if (std::abs(int((p >> shift) & 0xFF) - 0x80) > 24) return false;
  return true;
}

bool White(uint32_t p) { return (p & 0xE0E0E0) == 0xE0E0E0; }

// The right half of the screen's lowest tenth, once the photo stands: the
// caption is composed in the same frame as the picture under it.
ScreenShot CornerOfShow(const std::wstring& fixture, DWORD dateCaption) {
  TempFolder folder;
  EXPECT_TRUE(::CopyFileW(driver::PhotoFixture(fixture).c_str(), folder.File(L"photo.jpg").c_str(), FALSE))
      << "missing fixture (made by tests/wine/make-photo-fixtures)";
  RunningShow show({.folder = folder.Path(), .floating = false, .switchSeconds = 100, .dateCaption = dateCaption});
  const RECT s = ScreenRect();
  const RECT corner{s.right / 2, s.bottom * 9 / 10, s.right, s.bottom};
  // Standing still, the photo leaves a black edge of 5 pixels.
  EXPECT_TRUE(driver::WaitUntil([&] { return NearGrey(ScreenPixel(s.right - 8, s.bottom - 8)); }, kStartTimeoutMs))
      << "the photo did not reach the corner";
  return ScreenShot(corner);
}

TEST(DateCaption, StandsInTheCornerOfADatedPhotoInEachForm) {
  const ScreenShot western = CornerOfShow(L"dated.jpg", 1);
  const ScreenShot era = CornerOfShow(L"dated.jpg", 2);
  EXPECT_GT(western.Count(White), 50);
  EXPECT_GT(era.Count(White), 50);
  EXPECT_FALSE(western == era) << "2024年 and 令和6年 look alike";
}

TEST(DateCaption, NothingWhenOffOrOverAPhotoWithoutADate) {
  EXPECT_EQ(CornerOfShow(L"dated.jpg", 0).Count(White), 0);
  EXPECT_EQ(CornerOfShow(L"undated.jpg", 1).Count(White), 0);
}

}  // namespace
}  // namespace slideshow_test
