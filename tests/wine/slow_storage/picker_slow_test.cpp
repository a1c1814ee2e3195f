// The picture-selection dialog of the real saver's /c over a folder on slow
// storage: it opens and answers its buttons while the folder's listings are
// still on their way, and its lists fill in when they come.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/dcdir_ids.h"
#include "resources/setup_ids.h"
#include "tests/wine/driver/saver_process.h"
#include "tests/wine/driver/settings_registry.h"
#include "tests/wine/driver/wait.h"
#include "tests/wine/driver/window_search.h"
#include "tests/wine/picker/form_driver.h"
#include "tests/wine/slideshow/test_pictures.h"
#include "tests/wine/slow_storage/slow_folder.h"

namespace slideshow_test {
namespace {

constexpr DWORD kTimeout = 15000;
// A button must answer within this, whatever the folder's listing is doing.
constexpr DWORD kAnswerMs = 1000;

HWND FindDialog(DWORD processId, const std::wstring& caption) {
  for (HWND window : driver::TopLevelWindows(processId, driver::kDialogClass))
    if (::IsWindowVisible(window) && driver::WindowText(window) == caption) return window;
  return nullptr;
}

LRESULT Count(HWND dialog, int listId) {
  return ::SendMessageW(::GetDlgItem(dialog, listId), LB_GETCOUNT, 0, 0);
}

TEST_F(SlowFolder, ThePictureSelectionAnswersAButtonWhileItsFolderListWaits) {
  WriteSolidBmp(Source(L"a.bmp"), 40, 30, 0xFF0000);
  ASSERT_TRUE(::CreateDirectoryW(Source(L"sub").c_str(), nullptr));
  driver::DeleteSettingsKey();
  driver::CreateSettingsKey();
  driver::WriteString(L"dtDir", Slow());
  driver::WriteDword(L"SelPhoto", 0);
  driver::WriteDword(L"eCount", 0);
  SetDelaySeconds(3);  // a listing of the folder list, then thirteen of the file list
  driver::SaverProcess saver(L"/c");
  HWND settings = nullptr;
  ASSERT_TRUE(driver::WaitUntil([&] { return (settings = FindDialog(saver.Id(), L"設定")) != nullptr; }, kTimeout));
  ::PostMessageW(::GetDlgItem(settings, IDC_SETUP_BTFOLDER), BM_CLICK, 0, 0);
  HWND dialog = nullptr;
  ASSERT_TRUE(driver::WaitUntil([&] { return (dialog = FindDialog(saver.Id(), L"画像選択")) != nullptr; }, 5000))
      << "the dialog opens without waiting for the folder's listings";
  ASSERT_EQ(Count(dialog, IDC_DCDIR_LBSFILE), 0) << "the file list is still being listed";

  const HWND registered = ::GetDlgItem(dialog, IDC_DCDIR_LBDFILE);
  ASSERT_FALSE(::IsWindowEnabled(registered));
  const ULONGLONG clicked = ::GetTickCount64();
  ::PostMessageW(::GetDlgItem(dialog, IDC_DCDIR_RBSELPHOTO), BM_CLICK, 0, 0);
  EXPECT_TRUE(driver::WaitUntil([&] { return ::IsWindowEnabled(registered) != FALSE; }, kAnswerMs))
      << "the registered list's button answers at once";
  EXPECT_EQ(Count(dialog, IDC_DCDIR_LBSFILE), 0) << "and the listing was still on its way";
  std::printf("a button answered in %llu ms while the listing waited\n", ::GetTickCount64() - clicked);

  SetDelaySeconds(0);
  EXPECT_TRUE(driver::WaitUntil([&] { return Count(dialog, IDC_DCDIR_LBSFILE) == 1; }, 30'000))
      << "the folder's picture is listed once the listings come";
  const std::vector<std::wstring> folders = picker_wine::ListTexts(::GetDlgItem(dialog, IDC_DCDIR_DLBTHUMB));
  EXPECT_EQ(folders.empty() ? L"" : folders.back(), L"sub") << "and its sub-folder";
  ::PostMessageW(::GetDlgItem(dialog, IDC_DCDIR_BTCANCEL), BM_CLICK, 0, 0);
  EXPECT_TRUE(driver::WaitUntil([&] { return !::IsWindowVisible(dialog); }, kTimeout));
  ::PostMessageW(settings, WM_CLOSE, 0, 0);
  EXPECT_TRUE(saver.WaitForExit(kTimeout));
  driver::DeleteSettingsKey();
}

}  // namespace
}  // namespace slideshow_test
