// The picture-selection dialog in the real saver's settings mode (/c): opened
// from the settings dialog's "画像選択" button, worked through its controls,
// and judged by what the settings dialog leaves in the registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <set>
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

// The thumbnail's picture is read off the dialog's thread and comes a little
// later.
bool ShowsThumbnailOf(HWND dialog, const std::wstring& path) {
  return driver::WaitUntil(
      [&] { return driver::WindowText(::GetDlgItem(dialog, IDC_DCDIR_LBLFILENAME)) == path; }, kTimeout);
}

class PickerDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.WriteBitmap(L"b.bmp", 200, 300, 0x00FF00);
    folder.WriteBitmap(L"a.bmp", 100, 50, 0xFF0000);
    folder.WriteBitmap(L"c.bmp", 400, 100, 0x0000FF);
    StartWith(folder.Path(), {L"C:\\old\\1.bmp", L"C:\\old\\2.bmp", L"C:\\old\\3.bmp"});
  }
  void TearDown() override {
    if (settingsDialog) ::PostMessageW(settingsDialog, WM_CLOSE, 0, 0);
    if (saver) EXPECT_TRUE(saver->WaitForExit(kTimeout));
    driver::DeleteSettingsKey();
  }

  // Stores the picture group and opens the settings dialog over it.
  void StartWith(const std::wstring& shownFolder, const std::vector<std::wstring>& registered) {
    driver::DeleteSettingsKey();
    driver::CreateSettingsKey();
    driver::WriteString(L"dtDir", shownFolder);
    driver::WriteDword(L"SelPhoto", 1);
    driver::WriteDword(L"eCount", DWORD(registered.size()));
    for (size_t i = 0; i < registered.size(); ++i)
      driver::WriteString((L"File_00" + std::to_wstring(i)).c_str(), registered[i]);
    saver = std::make_unique<driver::SaverProcess>(L"/c");
    settingsDialog = nullptr;
    ASSERT_TRUE(driver::WaitUntil(
        [&] { return (settingsDialog = FindDialog(saver->Id(), L"設定")) != nullptr; }, kTimeout))
        << "the settings dialog did not appear";
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
  EXPECT_TRUE(ShowsThumbnailOf(dialog, folder / L"c.bmp"));
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

// The date caption's list shows the stored choice at every opening; ＯＫ
// stores what it shows then, キャンセル nothing.
TEST_F(PickerDialogTest, TheDateCaptionChoiceIsKeptThroughOkAndDroppedOnCancel) {
  const auto chosen = [](HWND dialog) { return ::SendMessageW(::GetDlgItem(dialog, IDC_DCDIR_CBDATE), CB_GETCURSEL, 0, 0); };
  const auto choose = [](HWND dialog, WPARAM item) { ::SendMessageW(::GetDlgItem(dialog, IDC_DCDIR_CBDATE), CB_SETCURSEL, item, 0); };
  HWND dialog = OpenPictureSelection();
  ASSERT_TRUE(dialog) << "the picture-selection dialog did not open";
  EXPECT_EQ(::SendMessageW(::GetDlgItem(dialog, IDC_DCDIR_CBDATE), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(chosen(dialog), 0) << "no stored choice: 表示しない";
  choose(dialog, 2);
  ASSERT_TRUE(Close(dialog, IDC_DCDIR_BTCANCEL));
  EXPECT_FALSE(driver::ReadValue(L"fgDate"));

  dialog = OpenPictureSelection();
  ASSERT_TRUE(dialog);
  EXPECT_EQ(chosen(dialog), 0);
  choose(dialog, 2);
  ASSERT_TRUE(Close(dialog, IDC_DCDIR_BTOK));
  ASSERT_TRUE(driver::WaitUntil([] { return driver::ReadValue(L"fgDate").has_value(); }, kTimeout));
  EXPECT_EQ(driver::ReadValue(L"fgDate")->number, 2u);

  dialog = OpenPictureSelection();
  ASSERT_TRUE(dialog);
  EXPECT_EQ(chosen(dialog), 2) << "和暦 as stored";
  ASSERT_TRUE(Close(dialog, IDC_DCDIR_BTCANCEL));
}

// Both boxes show the store at every opening; ＯＫ stores what they show
// then, キャンセル nothing. "サブフォルダーも含める" is enabled only while the
// folder source is chosen, however the choice changes (the opener, a click,
// the arrow keys), and keeps its check while disabled.
TEST_F(PickerDialogTest, TheLibraryChoicesAreKeptThroughOkAndDroppedOnCancel) {
  driver::WriteDword(L"fgShuffle", 1);
  const auto box = [](HWND dialog, int id) { return ::GetDlgItem(dialog, id); };
  const auto checked = [&](HWND dialog, int id) {
    return ::SendMessageW(box(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
  };
  const auto subFoldersEnabled = [&](HWND dialog) {
    return ::IsWindowEnabled(box(dialog, IDC_DCDIR_CKSUBFOLDERS)) != FALSE;
  };
  HWND dialog = OpenPictureSelection();
  ASSERT_TRUE(dialog) << "the picture-selection dialog did not open";
  EXPECT_EQ(driver::WindowText(box(dialog, IDC_DCDIR_CKSUBFOLDERS)), L"サブフォルダーも含める");
  EXPECT_EQ(driver::WindowText(box(dialog, IDC_DCDIR_CKSHUFFLE)), L"ランダムな順番で表示");
  EXPECT_TRUE(::IsWindowVisible(box(dialog, IDC_DCDIR_CKSHUFFLE)));
  EXPECT_FALSE(checked(dialog, IDC_DCDIR_CKSUBFOLDERS));
  EXPECT_TRUE(checked(dialog, IDC_DCDIR_CKSHUFFLE));
  EXPECT_FALSE(subFoldersEnabled(dialog)) << "the registered list is stored";
  ClickButton(dialog, IDC_DCDIR_RBSELFOLDER);
  EXPECT_TRUE(subFoldersEnabled(dialog));
  ClickButton(dialog, IDC_DCDIR_CKSUBFOLDERS);
  ClickButton(dialog, IDC_DCDIR_CKSHUFFLE);
  ASSERT_TRUE(Close(dialog, IDC_DCDIR_BTCANCEL));
  EXPECT_FALSE(driver::ReadValue(L"fgSubFolders"));
  EXPECT_EQ(driver::ReadValue(L"fgShuffle")->number, 1u);

  dialog = OpenPictureSelection();
  ASSERT_TRUE(dialog);
  EXPECT_FALSE(subFoldersEnabled(dialog)) << "the registered list again, as stored";
  EXPECT_FALSE(checked(dialog, IDC_DCDIR_CKSUBFOLDERS));
  EXPECT_TRUE(checked(dialog, IDC_DCDIR_CKSHUFFLE));
  ::PostMessageW(box(dialog, IDC_DCDIR_RBSELPHOTO), WM_KEYDOWN, VK_DOWN, 1);
  ASSERT_TRUE(driver::WaitUntil([&] { return checked(dialog, IDC_DCDIR_RBSELFOLDER); }, kTimeout));
  EXPECT_TRUE(subFoldersEnabled(dialog));
  ClickButton(dialog, IDC_DCDIR_CKSUBFOLDERS);
  ClickButton(dialog, IDC_DCDIR_CKSHUFFLE);
  ClickButton(dialog, IDC_DCDIR_RBSELPHOTO);
  EXPECT_FALSE(subFoldersEnabled(dialog));
  EXPECT_TRUE(checked(dialog, IDC_DCDIR_CKSUBFOLDERS)) << "kept while disabled";
  ASSERT_TRUE(Close(dialog, IDC_DCDIR_BTOK));
  // fgShuffle is written last.
  ASSERT_TRUE(driver::WaitUntil([] { return driver::ReadValue(L"fgShuffle")->number == 0; }, kTimeout));
  EXPECT_EQ(driver::ReadValue(L"fgSubFolders")->number, 1u);

  dialog = OpenPictureSelection();
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(checked(dialog, IDC_DCDIR_CKSUBFOLDERS));
  EXPECT_FALSE(checked(dialog, IDC_DCDIR_CKSHUFFLE));
  ASSERT_TRUE(Close(dialog, IDC_DCDIR_BTCANCEL));
}

// A folder and registered entries no code page holds, a lone surrogate and a
// path of 32 000 characters among them, are listed and go back to the store
// unit for unit through ＯＫ.
TEST_F(PickerDialogTest, NamesInAnyScriptAreListedAndKeptThroughOk) {
  ::PostMessageW(settingsDialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(saver->WaitForExit(kTimeout));
  const std::wstring hangul = folder.MakeFolder(L"사진폴더");
  folder.WriteBitmap(L"사진폴더\\풍경.bmp", 100, 50, 0xFF0000);
  folder.WriteBitmap(L"사진폴더\\😀.bmp", 100, 50, 0x00FF00);
  const std::vector<std::wstring> registered = {
      hangul + L"\\풍경.bmp", std::wstring(L"C:\\") + wchar_t(0xDC00) + L"x.bmp",
      L"C:\\" + std::wstring(32000, L'p') + L".bmp"};
  StartWith(hangul, registered);
  const HWND dialog = OpenPictureSelection();
  ASSERT_TRUE(dialog) << "the picture-selection dialog did not open";
  EXPECT_EQ(ListTexts(::GetDlgItem(dialog, IDC_DCDIR_LBDFILE)), registered);
  const std::vector<std::wstring> files = ListTexts(::GetDlgItem(dialog, IDC_DCDIR_LBSFILE));
  EXPECT_EQ(std::set<std::wstring>(files.begin(), files.end()),
            (std::set<std::wstring>{L"풍경.bmp", L"😀.bmp"}));
  ClickListEntry(dialog, IDC_DCDIR_LBSFILE, 0);
  EXPECT_TRUE(ShowsThumbnailOf(dialog, hangul + L"\\" + files[0]));
  ::RegDeleteKeyValueW(HKEY_CURRENT_USER, driver::kSettingsKey, L"dtDir");
  ASSERT_TRUE(Close(dialog, IDC_DCDIR_BTOK));
  ASSERT_TRUE(driver::WaitUntil([&] { return PictureValues().count(L"dtDir") == 1; }, kTimeout));
  auto values = PictureValues();
  EXPECT_EQ(values[L"dtDir"].text, hangul);
  EXPECT_EQ(values[L"eCount"].number, 3u);
  for (size_t i = 0; i < registered.size(); ++i)
    EXPECT_TRUE(values[L"File_00" + std::to_wstring(i)].text == registered[i]) << "entry " << i;
}

}  // namespace
}  // namespace picker_wine
