// The saver on a desktop of several monitors (run under
// scripts/with-xorg-monitors: a 1920 x 1080 primary and a 1280 x 1024
// monitor at its left): every monitor covered and showing a picture, input
// over any of them ending the run, the preview still one child window; pairs
// made on each monitor, and stacked on one set upright.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "tests/wine/driver/input.h"
#include "tests/wine/driver/preview_parent.h"
#include "tests/wine/driver/saver_process.h"
#include "tests/wine/driver/settings_registry.h"
#include "tests/wine/driver/wait.h"
#include "tests/wine/driver/window_search.h"
#include "tests/wine/driver/xrandr_agent.h"
#include "tests/wine/saver/running_saver.h"
#include "tests/wine/slideshow/screen_pixels.h"
#include "tests/wine/slideshow/show_fixture.h"
#include "tests/wine/slideshow/test_pictures.h"

namespace {

using driver::SaverProcess;
using saver_test::kStartTimeoutMs;
using slideshow_test::ScreenShot;

struct Monitor {
  RECT area;
  bool primary;
};

std::vector<Monitor> Monitors() {
  std::vector<Monitor> monitors;
  const auto collect = [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(monitor, &info);
    reinterpret_cast<std::vector<Monitor>*>(data)->push_back(
        {info.rcMonitor, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
  };
  ::EnumDisplayMonitors(nullptr, nullptr, collect, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

const Monitor& SecondMonitor(const std::vector<Monitor>& monitors) {
  for (const Monitor& m : monitors)
    if (!m.primary) return m;
  throw std::runtime_error("only one monitor");
}

// Starts "/s" over runnable settings (floating or still, without a ticker
// text, so that what is not black is the picture) and waits for a visible
// saver window on every monitor; `more` writes what a test adds.
std::unique_ptr<SaverProcess> StartOnEveryMonitor(bool floating, size_t monitors,
                                                  const std::function<void()>& more = {}) {
  driver::WriteRunnableSettings();
  driver::WriteDword(L"MoveFlag", floating ? 1 : 0);
  driver::WriteString(L"SCRcom", L"");
  if (more) more();
  auto saver = std::make_unique<SaverProcess>(L"/s");
  const bool all = driver::WaitUntil(
      [&] {
        size_t visible = 0;
        for (HWND w : driver::TopLevelWindows(saver->Id(), driver::kSaverClass)) visible += ::IsWindowVisible(w) != 0;
        return visible == monitors;
      },
      kStartTimeoutMs);
  if (!all) throw std::runtime_error("not every monitor got a saver window");
  return saver;
}

// Points of an 8 x 6 grid over the monitor, its corners included.
std::vector<POINT> Grid(const RECT& r) {
  std::vector<POINT> points;
  for (int i = 0; i <= 7; ++i)
    for (int j = 0; j <= 5; ++j)
      points.push_back({r.left + (r.right - 1 - r.left) * i / 7, r.top + (r.bottom - 1 - r.top) * j / 5});
  return points;
}

bool OwnedBy(HWND window, DWORD processId) {
  DWORD owner = 0;
  ::GetWindowThreadProcessId(::GetAncestor(window, GA_ROOT), &owner);
  return owner == processId;
}

// The desktop this test runs on: two monitors or more, one primary. The
// show's effects a test turns on are off again for the next.
class DesktopOfMonitors : public ::testing::Test {
 protected:
  void SetUp() override {
    monitors = Monitors();
    ASSERT_GE(monitors.size(), 2u) << "run under scripts/with-xorg-monitors";
  }
  void TearDown() override {
    for (const wchar_t* effect : {L"fgPairs", L"fgBackdrop"}) driver::WriteDword(effect, 0);
  }
  std::vector<Monitor> monitors;
};

// Solid pictures of these colours, all of one size, a.bmp on; returns their
// colours in the order the saver's folder lists them.
std::vector<uint32_t> WritePictures(const slideshow_test::TempFolder& folder, int32_t width, int32_t height) {
  const uint32_t colours[] = {0xFF0000, 0x0000FF, 0x00FF00, 0xFFFF00};
  for (size_t i = 0; i < std::size(colours); ++i)
    slideshow_test::WriteSolidBmp(folder.File(std::wstring(1, wchar_t(L'a' + i)) + L".bmp"), width, height,
                                  colours[i]);
  std::vector<uint32_t> order;
  for (const std::wstring& name : slideshow_test::SearchOrder(folder.File(L"*.bmp")))
    order.push_back(colours[name[0] - L'a']);
  return order;
}

POINT At(const RECT& r, double x, double y) {
  return {r.left + LONG((r.right - r.left) * x), r.top + LONG((r.bottom - r.top) * y)};
}

uint32_t Pixel(const ScreenShot& shot, POINT p) { return shot.At(p.x, p.y); }

using EveryMonitor = DesktopOfMonitors;

TEST_F(EveryMonitor, IsCoveredByATopMostSaverWindowStillAndFloating) {
  for (const bool floating : {false, true}) {
    const auto saver = StartOnEveryMonitor(floating, monitors.size());
    for (const Monitor& m : monitors) {
      for (const POINT p : Grid(m.area)) {
        const HWND w = ::WindowFromPoint(p);
        EXPECT_TRUE(OwnedBy(w, saver->Id())) << "(" << p.x << ", " << p.y << ") floating " << floating;
        EXPECT_TRUE(::GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
      }
    }
    EXPECT_TRUE(saver_test::StaysRunning(*saver)) << "activation between its own windows must not end it";
    driver::PostKeyDown(driver::FindVisibleWindow(saver->Id(), driver::kSaverClass), 'A');
    EXPECT_TRUE(saver_test::EndsNormally(*saver));
  }
}

// A picture (the sample strip: the folder has none) on every monitor, in the
// middle when still, and moving when floating.
TEST_F(EveryMonitor, ShowsAPictureThatMovesWhenFloating) {
  const auto notBlack = [](uint32_t p) { return p != slideshow_test::kBlack; };
  for (const bool floating : {false, true}) {
    const auto saver = StartOnEveryMonitor(floating, monitors.size());
    for (const Monitor& m : monitors) {
      std::optional<RECT> first;
      ASSERT_TRUE(driver::WaitUntil([&] { return (first = ScreenShot(m.area).BoundsOf(notBlack)).has_value(); },
                                    kStartTimeoutMs))
          << "nothing shown at x = " << m.area.left;
      if (!floating) {
        const LONG width = m.area.right - m.area.left, height = m.area.bottom - m.area.top;
        EXPECT_NEAR((first->left + first->right) / 2, width / 2, 2) << m.area.left;
        EXPECT_NEAR((first->top + first->bottom) / 2, height / 2, 2) << m.area.left;
        continue;
      }
      EXPECT_TRUE(driver::WaitUntil(
          [&] {
            const std::optional<RECT> now = ScreenShot(m.area).BoundsOf(notBlack);
            return now && (now->left != first->left || now->top != first->top);
          },
          kStartTimeoutMs))
          << "no motion at x = " << m.area.left;
    }
    driver::PostKeyDown(driver::FindVisibleWindow(saver->Id(), driver::kSaverClass), 'A');
    EXPECT_TRUE(saver_test::EndsNormally(*saver));
  }
}

// With the keys on, → pressed over the second monitor moves every monitor's
// show on: each centre shows another photo, and the saver runs on.
TEST_F(EveryMonitor, ArrowKeyOverAnyMonitorMovesEveryShowOn) {
  slideshow_test::TempFolder folder;
  const uint32_t colours[] = {0xD02020, 0x20D020, 0x2020D0, 0xD0D020};
  for (size_t i = 0; i < std::size(colours); ++i)
    slideshow_test::WriteSolidBmp(folder.File(std::wstring(1, wchar_t(L'a' + i)) + L".bmp"), 400, 300, colours[i]);
  const auto saver = StartOnEveryMonitor(false, monitors.size(), [&] {
    driver::WriteString(L"dtDir", folder.Path());
    driver::WriteDword(L"SCRtime", 100);
    driver::WriteDword(L"fgKeys", 1);
  });
  const auto centre = [](const Monitor& m) {
    return slideshow_test::ScreenPixel((m.area.left + m.area.right) / 2, (m.area.top + m.area.bottom) / 2);
  };
  const auto shown = [&](const Monitor& m) {
    const uint32_t c = centre(m);
    return std::find(std::begin(colours), std::end(colours), c) != std::end(colours);
  };
  for (const Monitor& m : monitors) ASSERT_TRUE(driver::WaitUntil([&] { return shown(m); }, kStartTimeoutMs));
  std::vector<uint32_t> before;
  for (const Monitor& m : monitors) before.push_back(centre(m));
  HWND second = nullptr;
  for (HWND w : driver::TopLevelWindows(saver->Id(), driver::kSaverClass)) {
    RECT r;
    ::GetWindowRect(w, &r);
    if (r.left == SecondMonitor(monitors).area.left) second = w;
  }
  ASSERT_NE(second, nullptr);
  driver::PostKeyDown(second, VK_RIGHT);
  for (size_t i = 0; i < monitors.size(); ++i)
    EXPECT_TRUE(driver::WaitUntil([&] { return shown(monitors[i]) && centre(monitors[i]) != before[i]; }, 5000))
        << "→ did not move the show at x = " << monitors[i].area.left;
  EXPECT_TRUE(saver->Running());
  driver::PostKeyDown(second, 'A');
  EXPECT_TRUE(saver_test::EndsNormally(*saver));
  driver::WriteDword(L"fgKeys", 0);
}

// With fgPairs each monitor pairs its own pick with the one after it in the
// order: the primary the first two portraits, the monitor beside it (one
// pick along) the second and third, one in each half; with fgBackdrop each
// half's sides show its own portrait darkened.
TEST_F(EveryMonitor, EachShowsTwoPortraitsSideBySideOverTheirBackdrops) {
  slideshow_test::TempFolder folder;
  const std::vector<uint32_t> order = WritePictures(folder, 200, 600);
  ASSERT_EQ(order.size(), 4u);
  const auto saver = StartOnEveryMonitor(false, monitors.size(), [&] {
    driver::WriteString(L"dtDir", folder.Path());
    driver::WriteDword(L"SCRtime", 100);
    driver::WriteDword(L"fgPairs", 1);
    driver::WriteDword(L"fgBackdrop", 1);
  });
  for (const Monitor& m : monitors) {
    const size_t first = m.primary ? 0 : 1;
    const RECT local{0, 0, m.area.right - m.area.left, m.area.bottom - m.area.top};
    const POINT left = At(local, 0.25, 0.5), right = At(local, 0.75, 0.5);
    const auto paired = [&] {
      const ScreenShot shot(m.area);
      return Pixel(shot, left) == order[first] && Pixel(shot, right) == order[first + 1];
    };
    EXPECT_TRUE(driver::WaitUntil(paired, kStartTimeoutMs))
        << "at x = " << m.area.left << ": " << std::hex << Pixel(ScreenShot(m.area), left) << ", "
        << Pixel(ScreenShot(m.area), right);
    // A portrait of 200 is centred in its half: the half's sides are bare.
    EXPECT_TRUE(driver::WaitUntil(
        [&] {
          const ScreenShot shot(m.area);
          return slideshow_test::IsHalfOf(Pixel(shot, At(local, 0.02, 0.5)), order[first]) &&
                 slideshow_test::IsHalfOf(Pixel(shot, At(local, 0.48, 0.5)), order[first]) &&
                 slideshow_test::IsHalfOf(Pixel(shot, At(local, 0.52, 0.5)), order[first + 1]) &&
                 slideshow_test::IsHalfOf(Pixel(shot, At(local, 0.98, 0.5)), order[first + 1]);
        },
        3000))
        << "backdrops at x = " << m.area.left;
  }
  driver::PostKeyDown(driver::FindVisibleWindow(saver->Id(), driver::kSaverClass), 'A');
  EXPECT_TRUE(saver_test::EndsNormally(*saver));
}

// The second monitor set upright (1080 x 1920) for a test, and back to
// 1280 x 1024 at the primary's left afterwards, whatever the test found.
class UprightMonitor : public DesktopOfMonitors {
 protected:
  void SetUp() override {
    ASSERT_TRUE(driver::Xrandr("--output DUMMY0 --mode 1920x1080 --pos 1080x0 --primary "
                               "--output DUMMY1 --mode 1080x1920 --pos 0x0"));
    ASSERT_TRUE(driver::WaitUntil(
        [] {
          const std::vector<Monitor> now = Monitors();
          return now.size() == 2 && SecondMonitor(now).area.bottom - SecondMonitor(now).area.top == 1920;
        },
        10'000));
    DesktopOfMonitors::SetUp();
  }
  void TearDown() override {
    DesktopOfMonitors::TearDown();
    ASSERT_TRUE(driver::Xrandr("--output DUMMY0 --mode 1920x1080 --pos 1280x0 --primary "
                               "--output DUMMY1 --mode 1280x1024 --pos 0x0"));
    ASSERT_TRUE(driver::WaitUntil(
        [] { return Monitors().size() == 2 && SecondMonitor(Monitors()).area.left == -1280; }, 10'000));
  }
};

// With fgPairs a monitor taller than wide stacks two landscape pictures, one
// in its top half and one in its bottom half, with black between them; the
// landscape primary beside it shows one alone in its centre.
TEST_F(UprightMonitor, StacksTwoLandscapesWhileTheLandscapePrimaryShowsOne) {
  slideshow_test::TempFolder folder;
  const std::vector<uint32_t> order = WritePictures(folder, 600, 400);
  ASSERT_EQ(order.size(), 4u);
  const auto saver = StartOnEveryMonitor(false, monitors.size(), [&] {
    driver::WriteString(L"dtDir", folder.Path());
    driver::WriteDword(L"SCRtime", 100);
    driver::WriteDword(L"fgPairs", 1);
  });
  const Monitor& upright = SecondMonitor(monitors);
  const RECT local{0, 0, upright.area.right - upright.area.left, upright.area.bottom - upright.area.top};
  const POINT top = At(local, 0.5, 0.25), bottom = At(local, 0.5, 0.75);
  EXPECT_TRUE(driver::WaitUntil(
      [&] {
        const ScreenShot shot(upright.area);
        return Pixel(shot, top) == order[1] && Pixel(shot, bottom) == order[2];
      },
      kStartTimeoutMs))
      << std::hex << Pixel(ScreenShot(upright.area), top) << ", " << Pixel(ScreenShot(upright.area), bottom);
  const ScreenShot shot(upright.area);
  EXPECT_EQ(Pixel(shot, At(local, 0.5, 0.5)), slideshow_test::kBlack) << "the gap between them";
  EXPECT_EQ(Pixel(shot, At(local, 0.5, 0.05)), slideshow_test::kBlack) << "not enlarged";

  const Monitor& primary = monitors[0].primary ? monitors[0] : monitors[1];
  const auto centre = [&] { return slideshow_test::ScreenPixel(primary.area.right / 2, primary.area.bottom / 2); };
  EXPECT_TRUE(driver::WaitUntil([&] { return centre() == order[0]; }, kStartTimeoutMs)) << std::hex << centre();
  EXPECT_EQ(slideshow_test::ScreenPixel(primary.area.right / 4, primary.area.bottom / 2), slideshow_test::kBlack);
  driver::PostKeyDown(driver::FindVisibleWindow(saver->Id(), driver::kSaverClass), 'A');
  EXPECT_TRUE(saver_test::EndsNormally(*saver));
}

using InputOverAnotherMonitor = DesktopOfMonitors;

// The cursor rests on the second monitor when the saver starts; moves are
// sent to the saver window there, in its own client coordinates.
TEST_F(InputOverAnotherMonitor, TenPixelsKeepTheSaverElevenEndItAndNoWindowStays) {
  const Monitor& second = SecondMonitor(monitors);
  const POINT start{second.area.left + 400, second.area.top + 300};
  ::SetCursorPos(start.x, start.y);
  const auto saver = StartOnEveryMonitor(true, monitors.size());
  const HWND there = ::WindowFromPoint(start);
  ASSERT_TRUE(OwnedBy(there, saver->Id()));
  const POINT client{start.x - second.area.left, start.y - second.area.top};
  driver::PostMouseMove(there, client.x + 10, client.y - 10);
  EXPECT_TRUE(saver_test::StaysRunning(*saver));
  driver::PostMouseMove(there, client.x + 11, client.y);
  EXPECT_TRUE(saver_test::EndsNormally(*saver));
  for (const Monitor& m : monitors)
    for (const POINT p : Grid(m.area)) EXPECT_FALSE(OwnedBy(::WindowFromPoint(p), saver->Id()));
  ::SetCursorPos(0, 0);
}

TEST_F(InputOverAnotherMonitor, TheRealPointerMovingElevenPixelsThereEndsIt) {
  const Monitor& second = SecondMonitor(monitors);
  const POINT start{second.area.left + 200, second.area.top + 200};
  ::SetCursorPos(start.x, start.y);
  const auto saver = StartOnEveryMonitor(true, monitors.size());
  driver::SendMouseMoveTo(start.x, start.y + 10);
  EXPECT_TRUE(saver_test::StaysRunning(*saver));
  driver::SendMouseMoveTo(start.x, start.y + 11);
  EXPECT_TRUE(saver_test::EndsNormally(*saver));
  ::SetCursorPos(0, 0);
}

// Activation moving from the primary's window to another monitor's is the
// saver's own affair.
TEST_F(InputOverAnotherMonitor, ActivationMovingToItsWindowThereKeepsTheSaver) {
  const auto saver = StartOnEveryMonitor(true, monitors.size());
  const Monitor& second = SecondMonitor(monitors);
  const HWND there = ::WindowFromPoint({second.area.left + 5, second.area.top + 5});
  const HWND primary = ::WindowFromPoint({0, 0});
  ASSERT_NE(there, primary);
  ::PostMessageW(primary, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(there));
  EXPECT_TRUE(saver_test::StaysRunning(*saver));
  ::PostMessageW(primary, WM_ACTIVATE, WA_INACTIVE, 0);  // to no window of its own
  EXPECT_TRUE(saver_test::EndsNormally(*saver));
}

TEST_F(InputOverAnotherMonitor, AClickThereEndsIt) {
  const auto saver = StartOnEveryMonitor(true, monitors.size());
  const Monitor& second = SecondMonitor(monitors);
  driver::PostLeftButtonDown(::WindowFromPoint({second.area.left + 5, second.area.top + 5}), 5, 5);
  EXPECT_TRUE(saver_test::EndsNormally(*saver));
}

bool CoversWithPicture(const Monitor& m, DWORD saverId) {
  for (const POINT p : Grid(m.area))
    if (!OwnedBy(::WindowFromPoint(p), saverId)) return false;
  return ScreenShot(m.area).BoundsOf([](uint32_t p) { return p != slideshow_test::kBlack; }).has_value();
}

size_t VisibleSaverWindows(DWORD saverId) {
  size_t visible = 0;
  for (HWND w : driver::TopLevelWindows(saverId, driver::kSaverClass)) visible += ::IsWindowVisible(w) != 0;
  return visible;
}

// A monitor that sleeps or is unplugged, and one plugged in at a new place,
// changed from outside as the hardware changes it (not every such change is
// announced to the program): the saver goes on, covering every monitor of
// the layout as it is now, and a key still ends it.
TEST_F(EveryMonitor, ALayoutChangedFromOutsideIsLaidOutAnew) {
  const auto saver = StartOnEveryMonitor(false, monitors.size());
  ASSERT_TRUE(driver::Xrandr("--output DUMMY1 --off"));
  ASSERT_TRUE(driver::WaitUntil([] { return Monitors().size() == 1; }, 10'000));
  EXPECT_TRUE(driver::WaitUntil([&] { return VisibleSaverWindows(saver->Id()) == 1; }, 3'000));
  EXPECT_TRUE(saver->Running());
  EXPECT_TRUE(driver::WaitUntil([&] { return CoversWithPicture(Monitors().front(), saver->Id()); }, 3'000));

  ASSERT_TRUE(driver::Xrandr("--output DUMMY1 --mode 1280x1024 --right-of DUMMY0"));
  ASSERT_TRUE(driver::WaitUntil([] { return Monitors().size() == 2; }, 10'000));
  const Monitor added = SecondMonitor(Monitors());
  EXPECT_GE(added.area.left, 1920) << "at the primary's right";
  EXPECT_TRUE(driver::WaitUntil([&] { return CoversWithPicture(added, saver->Id()); }, 2'000))
      << "covered and showing a picture within 2 s";
  driver::PostKeyDown(driver::FindVisibleWindow(saver->Id(), driver::kSaverClass), 'A');
  EXPECT_TRUE(saver_test::EndsNormally(*saver));

  // The desk as the other tests know it: the second monitor at the left.
  ASSERT_TRUE(driver::Xrandr("--output DUMMY0 --mode 1920x1080 --pos 1280x0 --primary --output DUMMY1 --mode 1280x1024 --pos 0x0"));
  ASSERT_TRUE(driver::WaitUntil([] { return Monitors().size() == 2 && SecondMonitor(Monitors()).area.left < 0; }, 10'000));
}

TEST_F(EveryMonitor, ASecondStartEndsWithOne) {
  const auto saver = StartOnEveryMonitor(true, monitors.size());
  SaverProcess second(L"/s");
  ASSERT_TRUE(second.WaitForExit(saver_test::kExitTimeoutMs));
  EXPECT_EQ(second.ExitCode(), 1u);
  EXPECT_TRUE(saver->Running());
}

TEST_F(EveryMonitor, ThePreviewIsOneChildWindow) {
  driver::WriteRunnableSettings();
  driver::PreviewParent parent;
  SaverProcess saver(parent.Argument());
  HWND child = nullptr;
  ASSERT_TRUE(driver::WaitUntil(
      [&] { return (child = ::FindWindowExW(parent.Handle(), nullptr, driver::kSaverClass, nullptr)) != nullptr; },
      kStartTimeoutMs));
  EXPECT_TRUE(saver_test::StaysRunning(saver));
  EXPECT_EQ(::FindWindowExW(parent.Handle(), child, driver::kSaverClass, nullptr), nullptr);
  for (HWND w : driver::TopLevelWindows(saver.Id(), driver::kSaverClass)) EXPECT_FALSE(::IsWindowVisible(w));
  parent.Destroy();
  EXPECT_TRUE(saver_test::EndsNormally(saver));
}

}  // namespace
