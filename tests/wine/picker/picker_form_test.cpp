// The picture-selection dialog itself, created inside this test program and
// shown modally on its main thread while a second thread works it through
// its controls, as the settings dialog would open it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <future>
#include <thread>

#include "form_driver.h"
#include "picker/picture_selection_dialog_win.h"
#include "platform/application_win.h"
#include "platform/utf16.h"
#include "resources/dcdir_ids.h"
#include "resources/hidden_ids.h"
#include "settings/registry_win.h"
#include "slideshow/hidden_store.h"
#include "tests/wine/driver/photo_fixtures.h"
#include "tests/wine/driver/wait.h"
#include "tests/wine/driver/window_search.h"

namespace picker_wine {
namespace {

constexpr DWORD kTimeout = 10000;

class PickerFormTest : public ::testing::Test {
 protected:
  // One dialog for every test, as the program creates it once and reuses it
  // for every opening; the first form registered is also the main form, and
  // the application ends with it.
  static void SetUpTestSuite() {
    platform::Application::Instance().Initialize(::GetModuleHandleW(nullptr));
    state = new settings::PictureSelectionState;
    form = new picker::TfrmDir(*state);
  }
  static void TearDownTestSuite() {
    delete form;
    delete state;
  }

  PickerFormTest() : dialog(form->Handle()) {
    folder.WriteBitmap(L"b.bmp", 200, 300, 0x00FF00);
    folder.WriteBitmap(L"A.bmp", 100, 50, 0xFF0000);
    folder.WriteBitmap(L"c.BMP", 400, 100, 0x0000FF);
    folder.WriteText(L"notes.txt", "not a picture");
    folder.MakeFolder(L"sub");
  }

  // What the settings dialog does before it shows the dialog.
  void Prime(const std::wstring& shownFolder, bool registered,
             const std::vector<std::string>& stored) {
    const std::string folderText = platform::Utf8FromWide(shownFolder);
    form->SetUseRegisteredList(registered);
    form->SetFolder(folderText);
    form->SetDrive(folderText[0]);
    state->registeredCount = int32_t(stored.size());
    std::copy(stored.begin(), stored.end(), state->registeredFiles.begin());
    state->refreshPending = true;
  }

  // Shows the dialog modally here while `user` works it from another
  // thread; `user` ends it with End, or else (a failed assertion) it is
  // cancelled afterwards, so a failure never leaves the dialog open.
  settings::ModalResult ShowAndDrive(const std::function<void()>& user) {
    ended = false;
    std::packaged_task<void()> task([&] {
      // The flag drops at the start of the refresh; a message sent to the
      // dialog is handled only once the refresh is over.
      if (driver::WaitUntil([&] { return ::IsWindowVisible(dialog) && !state->refreshPending; },
                            kTimeout)) {
        ::SendMessageW(dialog, WM_NULL, 0, 0);
        user();
      }
      else
        ADD_FAILURE() << "the dialog did not open";
      if (!ended) End(IDC_DCDIR_BTCANCEL);
    });
    std::future<void> done = task.get_future();
    std::thread thread(std::move(task));
    const settings::ModalResult result = form->ShowModal();
    thread.join();
    done.get();
    return result;
  }

  // Posted, not sent: the modal loop waits for a posted message, and a sent
  // one would end the dialog without waking the loop.
  void End(int buttonId) {
    ended = true;
    ::PostMessageW(Item(buttonId), BM_CLICK, 0, 0);
  }

  HWND Item(int id) const { return ::GetDlgItem(dialog, id); }
  std::wstring Text(int id) const {
    wchar_t text[512] = L"";
    ::GetWindowTextW(Item(id), text, 512);
    return text;
  }
  bool Enabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
  // The folder's listings and the thumbnail's picture are read off the
  // dialog's thread and come a little later.
  std::vector<std::wstring> ListedOnce(int listId, size_t count) const {
    std::vector<std::wstring> texts;
    driver::WaitUntil([&] { return (texts = ListTexts(Item(listId))).size() >= count; }, kTimeout);
    return texts;
  }
  bool ShowsThumbnailOf(const std::wstring& path) const {
    return driver::WaitUntil([&] { return Text(IDC_DCDIR_LBLFILENAME) == path; }, kTimeout);
  }

  static inline settings::PictureSelectionState* state = nullptr;
  static inline picker::TfrmDir* form = nullptr;
  ScratchFolder folder{L"tolvex_picker_form"};
  HWND dialog;
  bool ended = false;
};

TEST_F(PickerFormTest, BuildsAListAndHandsItBackOnOk) {
  Prime(folder.Path(), true, {"C:\\stored\\old.bmp"});
  const auto result = ShowAndDrive([&] {
    EXPECT_EQ(ListedOnce(IDC_DCDIR_LBSFILE, 3), (std::vector<std::wstring>{L"A.bmp", L"b.bmp", L"c.BMP"}));
    EXPECT_EQ(ListTexts(Item(IDC_DCDIR_LBDFILE)), (std::vector<std::wstring>{L"C:\\stored\\old.bmp"}));
    EXPECT_EQ(Text(IDC_DCDIR_LBLCOUNT), L"1");
    EXPECT_FALSE(::IsWindowVisible(Item(IDC_DCDIR_IMS)));
    EXPECT_EQ(Text(IDC_DCDIR_LBLFILENAME), L"");

    ClickListEntry(dialog, IDC_DCDIR_LBSFILE, 2);
    ClickListEntry(dialog, IDC_DCDIR_LBSFILE, 0, true);
    EXPECT_TRUE(ShowsThumbnailOf(folder / L"A.bmp")) << "the last click wins";
    EXPECT_TRUE(::IsWindowVisible(Item(IDC_DCDIR_IMS)));
    RECT box;
    ::GetClientRect(Item(IDC_DCDIR_IMS), &box);
    EXPECT_EQ(box.right, 100);
    EXPECT_EQ(box.bottom, 50);
    ASSERT_TRUE(Enabled(IDC_DCDIR_BTTRK));
    ClickButton(dialog, IDC_DCDIR_BTTRK);
    EXPECT_EQ(Text(IDC_DCDIR_LBLCOUNT), L"3");

    ClickListEntry(dialog, IDC_DCDIR_LBDFILE, 2);
    EXPECT_TRUE(Enabled(IDC_DCDIR_BTUP));
    EXPECT_FALSE(Enabled(IDC_DCDIR_BTDOWN));
    ClickButton(dialog, IDC_DCDIR_BTUP);
    EXPECT_EQ(ListSelectedCount(Item(IDC_DCDIR_LBDFILE)), 0);
    EXPECT_FALSE(Enabled(IDC_DCDIR_BTUP) || Enabled(IDC_DCDIR_BTERASE));
    End(IDC_DCDIR_BTOK);
  });
  EXPECT_EQ(result, settings::ModalResult::Ok);
  const std::string base = platform::Utf8FromWide(folder.Path());
  EXPECT_EQ(form->RegisteredEntries(),
            (std::vector<std::string>{"C:\\stored\\old.bmp", base + "\\c.BMP", base + "\\A.bmp"}));
  EXPECT_EQ(form->Folder(), base);
  EXPECT_TRUE(form->UseRegisteredList());
}

TEST_F(PickerFormTest, CancelledEditsAreGoneAtTheNextOpening) {
  Prime(folder.Path(), false, {"C:\\x.bmp", "C:\\y.bmp"});
  ShowAndDrive([&] {
    EXPECT_FALSE(Enabled(IDC_DCDIR_LBDFILE) || Enabled(IDC_DCDIR_BTALLERASE));
    ClickButton(dialog, IDC_DCDIR_RBSELPHOTO);
    EXPECT_TRUE(Enabled(IDC_DCDIR_LBDFILE) && Enabled(IDC_DCDIR_BTALLERASE));
    ClickButton(dialog, IDC_DCDIR_BTALLERASE);
    EXPECT_EQ(Text(IDC_DCDIR_LBLCOUNT), L"0");
    End(IDC_DCDIR_BTCANCEL);
  });
  Prime(folder.Path(), false, {"C:\\x.bmp", "C:\\y.bmp"});
  ShowAndDrive([&] {
    EXPECT_EQ(ListTexts(Item(IDC_DCDIR_LBDFILE)).size(), 2u);
    EXPECT_EQ(::SendMessageW(Item(IDC_DCDIR_RBSELFOLDER), BM_GETCHECK, 0, 0), BST_CHECKED);
    ended = true;
    ::PostMessageW(dialog, WM_CLOSE, 0, 0);
  });
  EXPECT_FALSE(form->UseRegisteredList());
}

TEST_F(PickerFormTest, FolderListOpensSubfoldersAndTheirParents) {
  Prime(folder.Path(), true, {});
  ShowAndDrive([&] {
    const std::vector<std::wstring> entries = ListedOnce(IDC_DCDIR_DLBTHUMB, 4);  // the path, then sub
    ASSERT_GE(entries.size(), 3u);
    EXPECT_EQ(entries.front(), L"C:\\");
    EXPECT_EQ(entries.back(), L"sub");
    const int sub = int(entries.size()) - 1;
    OpenFolderEntry(dialog, sub);
    EXPECT_EQ(platform::WideFromUtf8(form->Folder()), folder / L"sub");
    EXPECT_EQ(ListTexts(Item(IDC_DCDIR_LBSFILE)).size(), 0u);

    // Enter opens the selected entry: the parent, one above the current.
    ::SendMessageW(Item(IDC_DCDIR_DLBTHUMB), LB_SETCURSEL, WPARAM(sub - 1), 0);
    ::SendMessageW(Item(IDC_DCDIR_DLBTHUMB), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(platform::WideFromUtf8(form->Folder()), folder.Path());
    EXPECT_EQ(ListedOnce(IDC_DCDIR_LBSFILE, 3).size(), 3u);
    End(IDC_DCDIR_BTCANCEL);
  });
}

TEST_F(PickerFormTest, AFolderOver300CharactersDeepIsListedAndItsPictureShown) {
  std::wstring relative;
  for (const wchar_t letter : {L'd', L'e', L'f', L'g'}) {
    relative += (relative.empty() ? L"" : L"\\") + std::wstring(70, letter);
    folder.MakeFolder(relative);
  }
  folder.WriteBitmap(relative + L"\\사진.bmp", 100, 50, 0xFF0000);
  const std::wstring deep = folder / relative;
  ASSERT_GT(deep.size(), 300u);
  Prime(deep, false, {});
  ShowAndDrive([&] {
    EXPECT_EQ(ListedOnce(IDC_DCDIR_LBSFILE, 1), (std::vector<std::wstring>{L"사진.bmp"}));
    EXPECT_EQ(ListTexts(Item(IDC_DCDIR_DLBTHUMB)).back(), std::wstring(70, L'g'));
    ClickListEntry(dialog, IDC_DCDIR_LBSFILE, 0);
    EXPECT_TRUE(ShowsThumbnailOf(deep + L"\\사진.bmp"));
    RECT box;
    ::GetClientRect(Item(IDC_DCDIR_IMS), &box);
    EXPECT_EQ(box.right, 100) << "the thumbnail is not the picture";
    End(IDC_DCDIR_BTOK);
  });
  EXPECT_EQ(platform::WideFromUtf8(form->Folder()), deep);
}

TEST_F(PickerFormTest, UndecodableFileShowsTheSamplePictureWithItsPath) {
  folder.WriteText(L"broken.bmp", "not a bitmap");
  Prime(folder.Path(), true, {});
  ShowAndDrive([&] {
    ASSERT_EQ(ListedOnce(IDC_DCDIR_LBSFILE, 4).size(), 4u);
    ClickListEntry(dialog, IDC_DCDIR_LBSFILE, 2);  // A.bmp, b.bmp, broken.bmp, c.BMP
    EXPECT_TRUE(ShowsThumbnailOf(folder / L"broken.bmp"));
    RECT box;
    ::GetWindowRect(Item(IDC_DCDIR_IMS), &box);
    ::MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&box), 2);
    const int scale = int(::GetDpiForWindow(dialog));
    EXPECT_EQ(box.right - box.left, ::MulDiv(128, scale, 96));
    EXPECT_EQ(box.top, ::MulDiv(289 + 68, scale, 96));
    End(IDC_DCDIR_BTCANCEL);
  });
}

// A phone photo stored lying on its side and marked as turned a quarter, in
// each format that can say so: the preview stands it upright, red on top.
TEST_F(PickerFormTest, ThePreviewStandsTurnedPhotosUpright) {
  const std::vector<std::wstring> photos = {L"portrait.jpg", L"portrait.png", L"portrait.webp", L"portrait.avif",
                                            L"portrait.heic"};
  for (const std::wstring& name : photos) {
    ASSERT_TRUE(::CopyFileW(driver::PhotoFixture(name).c_str(), (folder / name).c_str(), FALSE))
        << "missing fixture (made by tests/wine/make-photo-fixtures)";
  }
  auto closeTo = [](COLORREF c, int r, int b) {
    return std::abs(GetRValue(c) - r) <= 40 && GetGValue(c) <= 40 && std::abs(GetBValue(c) - b) <= 40;
  };
  Prime(folder.Path(), true, {});
  ShowAndDrive([&] {
    const std::vector<std::wstring> files = ListedOnce(IDC_DCDIR_LBSFILE, 3 + photos.size());
    for (const std::wstring& name : photos) {
      const auto at = std::find(files.begin(), files.end(), name);
      ASSERT_NE(at, files.end()) << "not listed: " << std::string(name.begin(), name.end());
      ClickListEntry(dialog, IDC_DCDIR_LBSFILE, int(at - files.begin()));
      RECT box{};
      COLORREF top = 0, bottom = 0;
      const bool upright = driver::WaitUntil(
          [&] {
            ::GetWindowRect(Item(IDC_DCDIR_IMS), &box);
            const LONG x = (box.left + box.right) / 2, h = box.bottom - box.top;
            HDC screen = ::GetDC(nullptr);
            top = ::GetPixel(screen, x, box.top + h / 4);
            bottom = ::GetPixel(screen, x, box.bottom - 1 - h / 4);
            ::ReleaseDC(nullptr, screen);
            return h > box.right - box.left && closeTo(top, 255, 0) && closeTo(bottom, 0, 255);
          },
          kTimeout);
      EXPECT_TRUE(upright) << std::string(name.begin(), name.end()) << ": box " << box.right - box.left << " x "
                           << box.bottom - box.top << ", top " << std::hex << top << ", bottom " << bottom;
    }
    End(IDC_DCDIR_BTCANCEL);
  });
}

// The photos hidden in the show, one of them on a drive that is not there,
// listed newest first in the dialog the button "非表示の写真" opens; 表示に戻す
// restores the selected one at once, from the list and from the registry.
TEST_F(PickerFormTest, TheHiddenPhotosAreListedAndOneIsRestored) {
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Morv\\Plim\\Hidden");
  settings::Win32Registry registry;
  const std::string photo = platform::Utf8FromWide(folder / L"b.bmp");
  ASSERT_TRUE(slideshow::WriteHiddenPicture(registry, "Q:\\写真\\gone.jpg"));
  ASSERT_TRUE(slideshow::WriteHiddenPicture(registry, photo));
  Prime(folder.Path(), false, {});
  ShowAndDrive([&] {
    ASSERT_EQ(Text(IDC_DCDIR_BTHIDDEN), L"非表示の写真");
    // Posted: the button's click runs a modal loop of its own.
    ::PostMessageW(Item(IDC_DCDIR_BTHIDDEN), BM_CLICK, 0, 0);
    HWND hidden = nullptr;
    ASSERT_TRUE(driver::WaitUntil(
        [&] {
          for (HWND window : driver::TopLevelWindows(::GetCurrentProcessId(), driver::kDialogClass))
            if (::IsWindowVisible(window) && driver::WindowText(window) == L"非表示の写真") hidden = window;
          return hidden != nullptr;
        },
        kTimeout));
    const HWND list = ::GetDlgItem(hidden, IDC_HIDDEN_LBHIDDEN);
    EXPECT_EQ(ListTexts(list), (std::vector<std::wstring>{folder / L"b.bmp", L"Q:\\写真\\gone.jpg"}));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hidden, IDC_HIDDEN_BTRESTORE)));
    ClickListEntry(hidden, IDC_HIDDEN_LBHIDDEN, 0);
    ClickButton(hidden, IDC_HIDDEN_BTRESTORE);
    EXPECT_EQ(ListTexts(list), (std::vector<std::wstring>{L"Q:\\写真\\gone.jpg"}));
    EXPECT_EQ(slideshow::ReadHiddenPictures(registry), (std::vector<std::string>{"Q:\\写真\\gone.jpg"}));
    ::PostMessageW(::GetDlgItem(hidden, IDC_HIDDEN_BTCLOSE), BM_CLICK, 0, 0);
    EXPECT_TRUE(driver::WaitUntil([&] { return !::IsWindowVisible(hidden); }, kTimeout));
    End(IDC_DCDIR_BTCANCEL);
  });
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Morv\\Plim\\Hidden");
}

}  // namespace
}  // namespace picker_wine
