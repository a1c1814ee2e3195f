// The real saver over a picture folder on slow storage (a FUSE file system
// whose listings and opens sleep, mounted by with-slow-folder): input ends
// it at once while its folder scan is still waiting, and the pictures come
// once the listings return.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/wine/driver/input.h"
#include "tests/wine/driver/wait.h"
#include "tests/wine/slideshow/screen_pixels.h"
#include "tests/wine/slideshow/show_fixture.h"
#include "tests/wine/slideshow/test_pictures.h"
#include "tests/wine/slow_storage/slow_folder.h"

namespace slideshow_test {
namespace {

constexpr uint32_t kRed = 0xFF0000;
// What slow storage may add to the time from input to the saver's end.
constexpr DWORD kInputToExitMs = 1000;
// How long each listing and open of the slow folder takes in the first test.
constexpr DWORD kListingMs = 2000;

POINT RestAt(int x, int y) {
  ::SetCursorPos(x, y);
  POINT at{};
  ::GetCursorPos(&at);
  return at;
}

// The time from a mouse move to the saver's end, a second after it started
// over the slow folder; the most it waits is a minute.
ULONGLONG InputToExitMs(const std::wstring& folder) {
  const POINT start = RestAt(300, 300);
  RunningShow show({.folder = folder});
  EXPECT_FALSE(show.Process().WaitForExit(1000)) << "it runs while the scan waits";
  const ULONGLONG moved = ::GetTickCount64();
  driver::PostMouseMove(show.Window(), start.x + 20, start.y);
  const bool ended = show.Process().WaitForExit(60'000);
  EXPECT_TRUE(ended && show.Process().ExitCode() == 0u);
  return ::GetTickCount64() - moved;
}

// Wine takes its own time to end a process; the saver must add nothing to
// it for the disk. A listing already handed to the file system holds the
// process until it returns (the kernel waits for that answer whatever the
// process does), so the listings here are shorter than that allowance.
TEST_F(SlowFolder, AMouseMoveEndsTheSaverAsQuicklyWhileTheFolderScanWaits) {
  WriteSolidBmp(Source(L"a.bmp"), 160, 120, kRed);
  const ULONGLONG quick = InputToExitMs(Slow());
  SetDelaySeconds(kListingMs / 1000.0);  // thirteen listings: half a minute before the list is there
  const ULONGLONG slow = InputToExitMs(Slow());
  std::printf("input to exit: %llu ms on quick storage, %llu ms while the scan waits\n", quick, slow);
  EXPECT_LE(slow, quick + kInputToExitMs);
}

TEST_F(SlowFolder, ThePictureComesOnceTheListingsReturn) {
  WriteSolidBmp(Source(L"a.bmp"), 160, 120, kRed);
  SetDelaySeconds(0.3);
  RunningShow show({.folder = Slow(), .switchSeconds = 60});
  const RECT s = ScreenRect();
  EXPECT_TRUE(driver::WaitUntil([&] { return ScreenPixel(s.right / 2, s.bottom / 2) == kRed; }, 30'000))
      << "the picture of the slow folder, centred";
  driver::PostKeyDown(show.Window(), 'A');
  EXPECT_TRUE(show.Process().WaitForExit(kInputToExitMs * 5));
}

}  // namespace
}  // namespace slideshow_test
