// The modes chosen by the command line and the exit code of each.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/wine/driver/saver_process.h"
#include "tests/wine/driver/settings_registry.h"
#include "tests/wine/driver/window_search.h"
#include "tests/wine/saver/running_saver.h"

namespace {

using driver::SaverProcess;
using saver_test::EndsNormally;
using saver_test::kExitTimeoutMs;
using saver_test::kStartTimeoutMs;

// Starts with the arguments and expects an exit code of 0 without any window.
void ExpectQuietExit(const wchar_t* arguments) {
  SaverProcess saver(arguments);
  ASSERT_TRUE(saver.WaitForExit(kExitTimeoutMs))
      << "still running: " << testing::PrintToString(std::wstring(arguments));
  EXPECT_EQ(saver.ExitCode(), 0u);
}

TEST(Modes, NoModeOrAnUnknownOneEndsAtOnceWithZero) {
  for (const wchar_t* arguments : {L"", L"s", L"/x", L"-"}) ExpectQuietExit(arguments);
}

// Settings mode shows its main window; closing it ends the run.
TEST(Modes, SettingsModeEndsWithZeroWhenItsWindowCloses) {
  for (const wchar_t* arguments : {L"/c", L"/c:1234", L"-C"}) {
    SaverProcess settings(arguments);
    const HWND shown = driver::WaitForVisibleWindow(settings.Id(), nullptr, kStartTimeoutMs);
    ASSERT_NE(shown, nullptr) << testing::PrintToString(std::wstring(arguments));
    ::PostMessageW(shown, WM_CLOSE, 0, 0);
    EXPECT_TRUE(EndsNormally(settings)) << testing::PrintToString(std::wstring(arguments));
  }
}

TEST(Modes, SaverWithoutSettingsKeyEndsWithZeroAndShowsNoBox) {
  driver::DeleteSettingsKey();
  ExpectQuietExit(L"/s");
}

TEST(Modes, EverySpellingOfTheSaverModeStartsTheSaver) {
  driver::WriteRunnableSettings();
  for (const wchar_t* arguments : {L"/S", L"-s", L"xs", L"/sc"}) {
    SaverProcess saver(arguments);
    const HWND window =
        driver::WaitForVisibleWindow(saver.Id(), driver::kSaverClass, kStartTimeoutMs);
    ASSERT_NE(window, nullptr) << testing::PrintToString(std::wstring(arguments));
    ::PostMessageW(window, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_TRUE(EndsNormally(saver));
  }
}

TEST(Modes, PreviewOfNoWindowShowsNothing) {
  driver::WriteRunnableSettings();
  const HWND gone = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      nullptr, nullptr);
  const std::wstring goneHandle = std::to_wstring(reinterpret_cast<intptr_t>(gone));
  ::DestroyWindow(gone);
  ExpectQuietExit(L"/p 0");
  ExpectQuietExit((L"/p " + goneHandle).c_str());
}

// Finds the process's message box, checks caption and text, and dismisses it.
void ExpectMessageBox(const SaverProcess& saver, const std::wstring& text, bool withIcon) {
  const HWND box = driver::WaitForVisibleWindow(saver.Id(), driver::kDialogClass, kStartTimeoutMs);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(driver::WindowText(box), L"TolvexShow");
  const auto texts = driver::ChildTexts(box);
  EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end());
  EXPECT_EQ(driver::HasIconChild(box), withIcon);
  EXPECT_TRUE(saver.Running()) << "the box must wait until it is dismissed";
  driver::DismissMessageBox(box);
  EXPECT_TRUE(EndsNormally(saver));
}

TEST(Modes, PreviewHandleThatIsNoNumberShowsTheConversionError) {
  SaverProcess saver(L"/p abc");
  ExpectMessageBox(saver, L"'abc' は整数ではありません", true);
}

TEST(Modes, PreviewWithoutHandleShowsTheConversionErrorOfAnEmptyText) {
  SaverProcess saver(L"/p");
  ExpectMessageBox(saver, L"'' は整数ではありません", true);
}

TEST(Modes, PasswordModeShowsThePlainRefusal) {
  SaverProcess saver(L"/a 1234");
  ExpectMessageBox(saver, L"パスワードはサポートしていません", false);
}

}  // namespace
