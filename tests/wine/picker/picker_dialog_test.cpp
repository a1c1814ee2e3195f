// The picture-selection dialog in the real saver's settings mode (/c): opened
// from the settings dialog's "画像選択" button, worked through its controls,
// and judged by what the settings dialog leaves in the registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "form_driver.h"
#include "resources/dcdir_ids.h"
#include "resources/setup_ids.h"
#include "tests/wine/driver/saver_process.h"
#include "tests/wine/driver/settings_registry.h"
#include "tests/wine/driver/wait.h"
#include "tests/wine/driver/window_search.h"

namespace picker_wine {
namespace {

constexpr DWORD kTimeout = 15000;

// A visible top-level dialog of the process with that caption.
HWND FindDialog(DWORD processId, const std::wstring& caption) {
  for (HWND window : driver::TopLevelWindows(processId, driver::kDialogClass))
    if (::IsWindowVisible(window) && driver::WindowText(window) == caption) return window;
  return nullptr;
}

std::map<std::wstring, driver::StoredValue> PictureValues() {
  std::map<std::wstring, driver::StoredValue> values;
  for (const std::wstring name : {L"dtDir", L"SelPhoto", L"eCount", L"File_000", L"File_001",
                                  L"File_002", L"File_003"}) {
    if (const auto value = driver::ReadValue(name.c_str())) values[name] = *value;
  }
  return values;
}

class PickerDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.WriteBitmap(L"b.bmp", 200, 300, 0x00FF00);
    folder.WriteBitmap(L"a.bmp", 100, 50, 0xFF0000);
    folder.WriteBitmap(L"c.bmp", 400, 100, 0x0000FF);
    driver::DeleteSettingsKey();
    driver::CreateSettingsKey();
    driver::WriteString(L"dtDir", folder.Path());
    driver::WriteDword(L"SelPhoto", 1);
    driver::WriteDword(L"eCount", 3);
    driver::WriteString(L"File_000", L"C:\\old\\1.bmp");
    driver::WriteString(L"File_001", L"C:\\old\\2.bmp");
    driver::WriteString(L"File_002", L"C:\\old\\3.bmp");
    saver = std::make_unique<driver::SaverProcess>(L"/c");
    settingsDialog = nullptr;
    ASSERT_TRUE(driver::WaitUntil(
        [&] { return (settingsDialog = FindDialog(saver->Id(), L"設定")) != nullptr; }, kTimeout))
        << "the settings dialog did not appear";
  }
  void TearDown() override {
    if (settingsDialog) ::PostMessageW(settingsDialog, WM_CLOSE, 0, 0);
    if (saver) EXPECT_TRUE(saver->WaitForExit(kTimeout));
    driver::DeleteSettingsKey();
  }

  // Presses "画像選択" (posted: the button's handler runs the modal dialog)
  // and waits for the opening refresh to have filled the lists.
  HWND OpenPictureSelection() {
    ::PostMessageW(::GetDlgItem(settingsDialog, IDC_SETUP_BTFOLDER), BM_CLICK, 0, 0);
    HWND dialog = nullptr;
    const bool opened = driver::WaitUntil(
        [&] {
          dialog = FindDialog(saver->Id(), L"画像選択");
          return dialog && driver::WindowText(::GetDlgItem(dialog, IDC_DCDIR_LBLFILENAME)).empty() &&
                 ::SendMessageW(::GetDlgItem(dialog, IDC_DCDIR_LBSFILE), LB_GETCOUNT, 0, 0) > 0;
        },
        kTimeout);
    return opened ? dialog : nullptr;
  }

  // Ends the dialog with a posted click, which also wakes its modal loop, and
  // waits until it is gone.
  bool Close(HWND dialog, int buttonId) {
    ::PostMessageW(::GetDlgItem(dialog, buttonId), BM_CLICK, 0, 0);
    return driver::WaitUntil([&] { return !::IsWindowVisible(dialog); }, kTimeout);
  }

  ScratchFolder folder{L"tolvex_picker_scr"};
  std::unique_ptr<driver::SaverProcess> saver;
  HWND settingsDialog = nullptr;
};

TEST_F(PickerDialogTest, OkStoresTheFolderAndTheListInItsOrder) {
  const HWND dialog = OpenPictureSelection();
  ASSERT_TRUE(dialog) << "the picture-selection dialog did not open";
  const HWND registered = ::GetDlgItem(dialog, IDC_DCDIR_LBDFILE);
  EXPECT_EQ(ListTexts(registered),
            (std::vector<std::wstring>{L"C:\\old\\1.bmp", L"C:\\old\\2.bmp", L"C:\\old\\3.bmp"}));
  EXPECT_EQ(ListTexts(::GetDlgItem(dialog, IDC_DCDIR_LBSFILE)),
            (std::vector<std::wstring>{L"a.bmp", L"b.bmp", L"c.bmp"}));

  ClickButton(dialog, IDC_DCDIR_BTALLERASE);
  ClickListEntry(dialog, IDC_DCDIR_LBSFILE, 0);
  ClickListEntry(dialog, IDC_DCDIR_LBSFILE, 2, true);
  EXPECT_EQ(driver::WindowText(::GetDlgItem(dialog, IDC_DCDIR_LBLFILENAME)), folder / L"c.bmp");
  ClickButton(dialog, IDC_DCDIR_BTTRK);
  ClickListEntry(dialog, IDC_DCDIR_LBDFILE, 1);
  ClickButton(dialog, IDC_DCDIR_BTUP);
  EXPECT_EQ(driver::WindowText(::GetDlgItem(dialog, IDC_DCDIR_LBLCOUNT)), L"2");
  ASSERT_TRUE(Close(dialog, IDC_DCDIR_BTOK));

  // The count is written before the entries: wait for the last entry.
  ASSERT_TRUE(driver::WaitUntil(
      [&] { return PictureValues()[L"File_001"].text == folder / L"a.bmp"; }, kTimeout));
  auto values = PictureValues();
  EXPECT_EQ(values[L"eCount"].number, 2u);
  EXPECT_EQ(values[L"dtDir"].text, folder.Path());
  EXPECT_EQ(values[L"SelPhoto"].number, 1u);
  EXPECT_EQ(values[L"File_000"].text, folder / L"c.bmp");
  EXPECT_EQ(values[L"File_001"].text, folder / L"a.bmp");
  EXPECT_EQ(values.count(L"File_002"), 0u) << "the old third entry is deleted";
}

TEST_F(PickerDialogTest, CancelStoresNothingAndTheNextOpeningShowsTheStoredState) {
  const auto before = PictureValues();
  HWND dialog = OpenPictureSelection();
  ASSERT_TRUE(dialog) << "the picture-selection dialog did not open";
  ClickButton(dialog, IDC_DCDIR_BTALLERASE);
  ClickButton(dialog, IDC_DCDIR_RBSELFOLDER);
  ASSERT_TRUE(Close(dialog, IDC_DCDIR_BTCANCEL));
  auto after = PictureValues();
  ASSERT_EQ(after.size(), before.size());
  for (const auto& [name, value] : before) {
    EXPECT_EQ(after[name].text, value.text) << name;
    EXPECT_EQ(after[name].number, value.number) << name;
  }

  dialog = OpenPictureSelection();
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ListTexts(::GetDlgItem(dialog, IDC_DCDIR_LBDFILE)).size(), 3u);
  EXPECT_EQ(::SendMessageW(::GetDlgItem(dialog, IDC_DCDIR_RBSELPHOTO), BM_GETCHECK, 0, 0),
            BST_CHECKED);
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_DCDIR_LBDFILE)));
  ASSERT_TRUE(Close(dialog, IDC_DCDIR_BTCANCEL));
}

}  // namespace
}  // namespace picker_wine
