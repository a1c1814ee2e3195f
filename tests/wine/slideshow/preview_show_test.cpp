// The preview: the screen-sized show scaled down inside the preview window,
// with its pairs and backdrops.
#include <gtest/gtest.h>

#include <string>

#include "tests/wine/driver/wait.h"
#include "tests/wine/slideshow/in_process_preview.h"
#include "tests/wine/slideshow/screen_pixels.h"
#include "tests/wine/slideshow/show_fixture.h"
#include "tests/wine/slideshow/test_pictures.h"

namespace slideshow_test {
namespace {

constexpr uint32_t kRed = 0xFF0000;

TEST(PreviewShow, TheCentredPictureAppearsScaledDownInsideTheParent) {
  TempFolder folder;
  constexpr int32_t w = 600, h = 400;
  WriteSolidBmp(folder.File(L"red.bmp"), w, h, kRed);
  WriteShowSettings({.folder = folder.Path(), .floating = false, .switchSeconds = 100});
  const RECT area{100, 100, 356, 292};
  InProcessPreview preview(area);

  // Where the picture stands on the screen, scaled like the whole screen.
  const RECT screen = ScreenRect();
  const double sx = double(area.right - area.left) / screen.right;
  const double sy = double(area.bottom - area.top) / screen.bottom;
  const RECT full{(screen.right - w) / 2, (screen.bottom - h) / 2, (screen.right + w) / 2,
                  (screen.bottom + h) / 2};
  std::optional<RECT> red;
  ASSERT_TRUE(driver::WaitUntil(
      [&] {
        red = ScreenShot(area).BoundsOf(Is(kRed));
        return red && red->right - red->left >= LONG(w * sx) - 4;
      },
      kStartTimeoutMs))
      << "no scaled picture inside the preview window";
  // The blend at the picture's edges may cost a pixel on each side.
  EXPECT_NEAR(red->left, full.left * sx, 2.0);
  EXPECT_NEAR(red->top, full.top * sy, 2.0);
  EXPECT_NEAR(red->right, full.right * sx, 2.0);
  EXPECT_NEAR(red->bottom, full.bottom * sy, 2.0);
  // A good filter leaves a shrunk solid picture solid, and black around it.
  const ScreenShot shot(area);
  EXPECT_EQ(shot.At(shot.Width() / 2, shot.Height() / 2), kRed);
  EXPECT_EQ(shot.At(2, 2), kBlack);
  EXPECT_EQ(shot.At(shot.Width() - 3, shot.Height() - 3), kBlack);
}

// With fgPairs and fgBackdrop the landscape preview shows what the screen
// would: the first two portraits side by side, each half's sides its own
// portrait darkened.
TEST(PreviewShow, ShowsTwoPortraitsSideBySideOverTheirBackdrops) {
  TempFolder folder;
  const RECT screen = ScreenRect();
  const uint32_t colours[] = {kRed, 0x0000FF, 0x00FF00, 0xFFFF00};
  for (size_t i = 0; i < std::size(colours); ++i)
    WriteSolidBmp(folder.File(std::wstring(1, wchar_t(L'a' + i)) + L".bmp"), screen.right / 6, screen.bottom * 2 / 3,
                  colours[i]);
  std::vector<uint32_t> order;
  for (const std::wstring& name : SearchOrder(folder.File(L"*.bmp"))) order.push_back(colours[name[0] - L'a']);
  ASSERT_EQ(order.size(), 4u);
  WriteShowSettings({.folder = folder.Path(), .switchSeconds = 100, .pairs = 1, .backdrop = 1});
  const RECT area{100, 100, 356, 292};
  InProcessPreview preview(area);

  const LONG w = area.right - area.left, h = area.bottom - area.top;
  ASSERT_TRUE(driver::WaitUntil(
      [&] {
        const ScreenShot shot(area);
        return shot.At(w / 4, h / 2) == order[0] && shot.At(w * 3 / 4, h / 2) == order[1];
      },
      kStartTimeoutMs))
      << "no pair inside the preview window";
  const ScreenShot shot(area);
  EXPECT_TRUE(IsHalfOf(shot.At(2, h / 2), order[0])) << std::hex << shot.At(2, h / 2);
  EXPECT_TRUE(IsHalfOf(shot.At(w / 2 - 3, h / 2), order[0])) << std::hex << shot.At(w / 2 - 3, h / 2);
  EXPECT_TRUE(IsHalfOf(shot.At(w / 2 + 3, h / 2), order[1])) << std::hex << shot.At(w / 2 + 3, h / 2);
  EXPECT_TRUE(IsHalfOf(shot.At(w - 3, h / 2), order[1])) << std::hex << shot.At(w - 3, h / 2);
}

}  // namespace
}  // namespace slideshow_test
