// The preview: the screen-sized show scaled down inside the preview window.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace slideshow_test
