// The full-screen saver window: its shape, what ends it and what does not.
#include <gtest/gtest.h>

#include "tests/wine/driver/input.h"
#include "tests/wine/driver/wait.h"
#include "tests/wine/driver/window_search.h"
#include "tests/wine/saver/running_saver.h"

namespace {

using saver_test::RunningSaver;

TEST(SaverWindow, CoversTheScreenAndStaysOnTop) {
  RunningSaver saver;
  RECT r{};
  ::GetWindowRect(saver.Window(), &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, ::GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(r.bottom, ::GetSystemMetrics(SM_CYSCREEN));
  const LONG_PTR style = ::GetWindowLongPtrW(saver.Window(), GWL_STYLE);
  EXPECT_TRUE(::GetWindowLongPtrW(saver.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_CHILD));
  EXPECT_TRUE(saver.StaysRunning()) << "a resting cursor must not end the saver";
}

TEST(SaverWindow, AKeyEndsIt) {
  RunningSaver saver;
  driver::PostKeyDown(saver.Window(), 'A');
  EXPECT_TRUE(saver.EndsNormally());
}

TEST(SaverWindow, AKeyOfTheRealKeyboardEndsIt) {
  RunningSaver saver;
  ASSERT_TRUE(driver::WaitUntil([&] { return ::GetForegroundWindow() == saver.Window(); },
                                saver_test::kStartTimeoutMs));
  driver::SendKeyPress(VK_SHIFT);
  EXPECT_TRUE(saver.EndsNormally());
}

TEST(SaverWindow, AClickEndsIt) {
  RunningSaver saver;
  driver::PostLeftButtonDown(saver.Window(), 5, 5);
  EXPECT_TRUE(saver.EndsNormally());
}

// The start position is where the cursor rested when the saver started; the
// test put it there and nothing moves it meanwhile.
POINT RestAt(int x, int y) {
  ::SetCursorPos(x, y);
  POINT at{};
  ::GetCursorPos(&at);
  return at;
}

TEST(SaverWindow, TenPixelsOnBothAxesKeepItElevenOnOneEndIt) {
  struct Step { int dx, dy; };
  for (const Step last : {Step{11, 0}, Step{0, -11}, Step{-11, 10}}) {
    const POINT start = RestAt(300, 300);
    RunningSaver saver;
    for (const Step keep : {Step{10, 10}, Step{-10, -10}, Step{10, -10}}) {
      driver::PostMouseMove(saver.Window(), start.x + keep.dx, start.y + keep.dy);
    }
    EXPECT_TRUE(saver.StaysRunning());
    driver::PostMouseMove(saver.Window(), start.x + last.dx, start.y + last.dy);
    EXPECT_TRUE(saver.EndsNormally()) << last.dx << "," << last.dy;
  }
}

TEST(SaverWindow, MovingTheRealPointerElevenPixelsEndsIt) {
  const POINT start = RestAt(200, 200);
  RunningSaver saver;
  driver::SendMouseMoveTo(start.x + 10, start.y);
  EXPECT_TRUE(saver.StaysRunning());
  driver::SendMouseMoveTo(start.x + 11, start.y);
  EXPECT_TRUE(saver.EndsNormally());
}

TEST(SaverWindow, ActivatingAnotherWindowEndsIt) {
  RunningSaver saver;
  const HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                       10, 10, 200, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  ::SetForegroundWindow(other);
  EXPECT_TRUE(saver.EndsNormally());
  ::DestroyWindow(other);
}

LRESULT SysCommand(HWND window, WPARAM command) {
  DWORD_PTR result = 0xDEAD;
  ::SendMessageTimeoutW(window, WM_SYSCOMMAND, command, 0, SMTO_ABORTIFHUNG, 5000, &result);
  return LRESULT(result);
}

TEST(SaverWindow, RefusesTheScreenSaveCommandAndOnlyThatOne) {
  RunningSaver saver;
  EXPECT_EQ(SysCommand(saver.Window(), SC_SCREENSAVE), 1);
  // 0xF142 is SC_SCREENSAVE for the normal handling, which masks the low
  // bits; the exact comparison passes it on.
  EXPECT_EQ(SysCommand(saver.Window(), SC_SCREENSAVE + 2), 0);
  EXPECT_TRUE(saver.StaysRunning());
}

}  // namespace
