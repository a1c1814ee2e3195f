// The preview: a child of a window of the test's own, sized to it, deaf to
// input, and ending when that window goes away.
#include <gtest/gtest.h>

#include <string>

#include "tests/wine/driver/input.h"
#include "tests/wine/driver/preview_parent.h"
#include "tests/wine/driver/saver_process.h"
#include "tests/wine/driver/settings_registry.h"
#include "tests/wine/driver/wait.h"
#include "tests/wine/driver/window_search.h"
#include "tests/wine/saver/running_saver.h"

namespace {

using driver::PreviewParent;
using driver::SaverProcess;

HWND WaitForChild(HWND parent) {
  HWND child = nullptr;
  driver::WaitUntil(
      [&] { return (child = ::FindWindowExW(parent, nullptr, driver::kSaverClass, nullptr)) != nullptr; },
      saver_test::kStartTimeoutMs);
  return child;
}

SIZE SizeOf(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

TEST(Preview, ChildOfThePreviewWindowSizedToItIgnoringInputEndingWithIt) {
  driver::WriteRunnableSettings();
  PreviewParent parent;
  ASSERT_NE(parent.Handle(), nullptr);
  SaverProcess saver(parent.Argument());
  const HWND child = WaitForChild(parent.Handle());
  ASSERT_NE(child, nullptr);
  EXPECT_TRUE(::GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD);
  // Created screen-sized, then shrunk to the preview window.
  const SIZE wanted = SizeOf(parent.Handle());
  EXPECT_TRUE(driver::WaitUntil(
      [&] {
        const SIZE size = SizeOf(child);
        return size.cx == wanted.cx && size.cy == wanted.cy;
      },
      saver_test::kStartTimeoutMs))
      << SizeOf(child).cx << " x " << SizeOf(child).cy;

  driver::PostKeyDown(child, 'A');
  driver::PostLeftButtonDown(child, 5, 5);
  driver::PostMouseMove(child, 150, 110);
  ::PostMessageW(child, WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_TRUE(saver_test::StaysRunning(saver));

  DWORD_PTR answer = 0;
  ::SendMessageTimeoutW(child, WM_SYSCOMMAND, SC_SCREENSAVE, 0, SMTO_ABORTIFHUNG, 5000, &answer);
  EXPECT_EQ(answer, 1u);

  parent.Destroy();
  EXPECT_TRUE(saver_test::EndsNormally(saver));
}

}  // namespace
