// One instance at a time: while any instance runs, in any mode, every further
// start ends at once with exit code 1 and leaves the first one alone.
#include <gtest/gtest.h>

#include "tests/wine/driver/saver_process.h"
#include "tests/wine/driver/window_search.h"
#include "tests/wine/saver/running_saver.h"

namespace {

using driver::SaverProcess;
using saver_test::kExitTimeoutMs;

void ExpectEveryModeRefused() {
  for (const wchar_t* arguments : {L"/s", L"/c", L"/p 0", L"/a", L""}) {
    SaverProcess second(arguments);
    ASSERT_TRUE(second.WaitForExit(kExitTimeoutMs)) << testing::PrintToString(std::wstring(arguments));
    EXPECT_EQ(second.ExitCode(), 1u) << testing::PrintToString(std::wstring(arguments));
    EXPECT_TRUE(driver::TopLevelWindows(second.Id(), driver::kDialogClass).empty());
  }
}

TEST(SingleInstance, SecondStartOfAnyModeWhileTheSaverRunsEndsWithOne) {
  saver_test::RunningSaver first;
  ExpectEveryModeRefused();
  EXPECT_TRUE(first.Process().Running());
  EXPECT_TRUE(::IsWindowVisible(first.Window()));
}

TEST(SingleInstance, LockHeldByAnotherProgramRefusesTheStart) {
  const HANDLE mutex = ::CreateMutexW(nullptr, TRUE, L"Quillmar_ScreenSaver");
  ASSERT_NE(mutex, nullptr);
  ExpectEveryModeRefused();
  ::ReleaseMutex(mutex);
  ::CloseHandle(mutex);
}

TEST(SingleInstance, SecondStartWhileABoxIsShownEndsWithOne) {
  SaverProcess first(L"/a");
  const HWND box = driver::WaitForVisibleWindow(first.Id(), driver::kDialogClass,
                                                saver_test::kStartTimeoutMs);
  ASSERT_NE(box, nullptr);
  SaverProcess second(L"/s");
  ASSERT_TRUE(second.WaitForExit(kExitTimeoutMs));
  EXPECT_EQ(second.ExitCode(), 1u);
  EXPECT_TRUE(first.Running());
  driver::DismissMessageBox(box);
  EXPECT_TRUE(saver_test::EndsNormally(first));
}

}  // namespace
