// The settings dialog and the help dialog of the real TolvexShow.scr /c,
// driven by window messages, and the registry they leave behind.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "resources/ad_ids.h"
#include "resources/dcdir_ids.h"
#include "resources/effects_ids.h"
#include "resources/setup_ids.h"
#include "tests/wine/driver/saver_process.h"
#include "tests/wine/driver/settings_registry.h"
#include "tests/wine/driver/wait.h"
#include "tests/wine/driver/window_search.h"

namespace {

constexpr DWORD kStartMs = 30000;
constexpr DWORD kStepMs = 10000;

HWND FindDialog(DWORD processId, const std::wstring& caption) {
  for (HWND window : driver::TopLevelWindows(processId, driver::kDialogClass)) {
    if (::IsWindowVisible(window) && driver::WindowText(window) == caption) return window;
  }
  return nullptr;
}

HWND WaitForDialog(DWORD processId, const std::wstring& caption, DWORD timeoutMs = kStepMs) {
  HWND found = nullptr;
  driver::WaitUntil([&] { return (found = FindDialog(processId, caption)) != nullptr; }, timeoutMs);
  return found;
}

// WM_GETTEXT without the driver's 1024-character bound.
std::wstring LongText(HWND window) {
  const LRESULT length = ::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(size_t(length) + 1, L'\0');
  text.resize(size_t(::SendMessageW(window, WM_GETTEXT, text.size(), LPARAM(text.data()))));
  return text;
}

std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  for (size_t at; (at = text.find(L"\r\n", start)) != std::wstring::npos; start = at + 2) {
    lines.push_back(text.substr(start, at - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

bool IsChecked(HWND button) { return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

int OuterHeight(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return r.bottom - r.top;
}

RECT ClientBoundsOf(HWND control) {
  RECT r{};
  ::GetWindowRect(control, &r);
  ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

DWORD ValueCount() {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, driver::kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return DWORD(-1);
  }
  DWORD values = 0;
  ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
  ::RegCloseKey(key);
  return values;
}

void ExpectDword(const wchar_t* name, DWORD expected) {
  const auto value = driver::ReadValue(name);
  ASSERT_TRUE(value.has_value()) << "missing";
  EXPECT_EQ(value->type, DWORD(REG_DWORD));
  EXPECT_EQ(value->number, expected);
}

void ExpectText(const wchar_t* name, const std::wstring& expected) {
  const auto value = driver::ReadValue(name);
  ASSERT_TRUE(value.has_value()) << "missing";
  EXPECT_EQ(value->type, DWORD(REG_SZ));
  EXPECT_EQ(value->text, expected);
}

class SettingsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { driver::DeleteSettingsKey(); }
  void TearDown() override {
    saver_.reset();
    driver::DeleteSettingsKey();
  }

  // Starts /c and waits for the dialog and its first paint.
  void Start() {
    saver_ = std::make_unique<driver::SaverProcess>(L"/c");
    dialog_ = WaitForDialog(saver_->Id(), L"設定", kStartMs);
    ASSERT_NE(dialog_, nullptr) << "no settings dialog";
  }
  HWND Item(int id) const { return ::GetDlgItem(dialog_, id); }
  void Click(int id) const { ::PostMessageW(Item(id), BM_CLICK, 0, 0); }
  void ExpectExit(DWORD code) const {
    ASSERT_TRUE(saver_->WaitForExit(kStepMs)) << "still running";
    EXPECT_EQ(saver_->ExitCode(), std::optional<DWORD>(code));
  }
  void TypeMessage(const std::wstring& text) const {
    ::SendMessageW(Item(IDC_SETUP_MEEDIT), WM_SETTEXT, 0, LPARAM(text.c_str()));
  }
  bool WaitForValue(const wchar_t* name) const {
    return driver::WaitUntil([&] { return driver::ReadValue(name).has_value(); }, kStepMs);
  }

  std::unique_ptr<driver::SaverProcess> saver_;
  HWND dialog_ = nullptr;
};

TEST_F(SettingsDialogTest, FirstStartShowsTheDefaultsCreatesTheEmptyKeyAndPaintsTo214) {
  Start();
  EXPECT_EQ(driver::WindowText(Item(IDC_SETUP_MEEDIT)), L"明日できることは明日に伸ばそう");
  EXPECT_EQ(driver::WindowText(Item(IDC_SETUP_MECOM)), L"明日できることは明日に伸ばそう");
  EXPECT_EQ(driver::WindowText(Item(IDC_SETUP_EDTIME)), L"10");
  EXPECT_TRUE(IsChecked(Item(IDC_SETUP_RBMOVE)));
  EXPECT_FALSE(IsChecked(Item(IDC_SETUP_RBSTOP)));
  EXPECT_TRUE(IsChecked(Item(IDC_SETUP_RBBEEP)));
  EXPECT_FALSE(IsChecked(Item(IDC_SETUP_RBOK)) || IsChecked(Item(IDC_SETUP_RBNO)));
  EXPECT_EQ(ValueCount(), 0u) << "the key exists and is empty";
  EXPECT_TRUE(driver::WaitUntil([&] { return OuterHeight(dialog_) == 214; }, kStepMs))
      << "outer height " << OuterHeight(dialog_);
  const LONG_PTR style = ::GetWindowLongPtrW(dialog_, GWL_STYLE);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(::GetWindowLongPtrW(Item(IDC_SETUP_EDTIME), GWL_STYLE) & ES_READONLY);
  ::PostMessageW(dialog_, WM_CLOSE, 0, 0);
  ExpectExit(0);
}

TEST_F(SettingsDialogTest, TypingUpdatesThePreviewAndTheCloseBoxSavesNothing) {
  Start();
  TypeMessage(L"急がば回れ");
  EXPECT_EQ(driver::WindowText(Item(IDC_SETUP_MECOM)), L"急がば回れ");
  ::PostMessageW(dialog_, WM_SYSCOMMAND, SC_CLOSE, 0);
  ExpectExit(0);
  EXPECT_EQ(ValueCount(), 0u);
}

// The mouse messages are sent straight to the preview, as a click on it
// delivers them, so the test does not depend on the pointer or activation.
TEST_F(SettingsDialogTest, AClickOnThePreviewLeavesFocusCaretAndSelectionsAlone) {
  Start();
  TypeMessage(L"急がば回れ");
  const HWND edit = Item(IDC_SETUP_MEEDIT);
  const HWND preview = Item(IDC_SETUP_MECOM);
  ::SendMessageW(edit, EM_SETSEL, 1, 3);
  const DWORD thread = ::GetWindowThreadProcessId(dialog_, nullptr);
  GUITHREADINFO before{sizeof(before)};
  ASSERT_TRUE(::GetGUIThreadInfo(thread, &before));

  // Bounded: an edit that takes the right button opens its context menu,
  // whose own loop holds the message until the menu closes.
  const LPARAM inside = MAKELPARAM(20, 10);
  for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP,
                       WM_RBUTTONDOWN, WM_RBUTTONUP}) {
    DWORD_PTR result = 0;
    EXPECT_NE(::SendMessageTimeoutW(preview, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                                    inside, SMTO_NORMAL, kStepMs / 5, &result),
              0)
        << "message " << message << " was still being handled";
  }

  GUITHREADINFO after{sizeof(after)};
  ASSERT_TRUE(::GetGUIThreadInfo(thread, &after));
  EXPECT_NE(after.hwndFocus, preview);
  EXPECT_EQ(after.hwndFocus, before.hwndFocus);
  EXPECT_EQ(after.hwndCaret, before.hwndCaret);
  DWORD start = 0, end = 0;
  ::SendMessageW(edit, EM_GETSEL, WPARAM(&start), LPARAM(&end));
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 3u);
  ::SendMessageW(preview, EM_GETSEL, WPARAM(&start), LPARAM(&end));
  EXPECT_EQ(start, end) << "the preview selected text";
  EXPECT_EQ(after.hwndCapture, nullptr);
}

TEST_F(SettingsDialogTest, CloseButtonStoresEveryValueWithItsTypeAndExits0) {
  Start();
  TypeMessage(L"急がば回れ");
  Click(IDC_SETUP_RBNO);
  Click(IDC_SETUP_RBSTOP);
  ::SendMessageW(Item(IDC_SETUP_UDTIME), UDM_SETPOS32, 0, 42);
  Click(IDC_SETUP_BTCLOSE);
  ExpectExit(0);
  ExpectText(L"SCRcom", L"急がば回れ");
  ExpectText(L"FontName", L"ＭＳ ゴシック");
  ExpectDword(L"ComColor", 0x0000FF00);
  ExpectDword(L"FontSize", 26);
  for (const wchar_t* style : {L"fgBold", L"fgItalic", L"fgUnderline", L"fgStrikeOut"}) {
    ExpectDword(style, 0);
  }
  ExpectDword(L"SCRtime", 42);
  ExpectDword(L"MoveFlag", 0);
  ExpectDword(L"SCRsnd", 3);
}

TEST_F(SettingsDialogTest, StoredSoundOtherThanOneOrTwoShowsNoSoundAndSavesThree) {
  for (DWORD stored : {0u, 9u}) {
    driver::WriteDword(L"SCRsnd", stored);
    for (const wchar_t* name : {L"ComColor", L"FontSize", L"fgBold", L"fgUnderline",
                                L"fgStrikeOut", L"SCRtime", L"MoveFlag"}) {
      driver::WriteDword(name, 1);
    }
    driver::WriteDword(L"fgItalic", 2);
    Start();
    EXPECT_TRUE(IsChecked(Item(IDC_SETUP_RBNO))) << stored;
    EXPECT_FALSE(IsChecked(Item(IDC_SETUP_RBBEEP)));
    Click(IDC_SETUP_BTCLOSE);
    ExpectExit(0);
    ExpectDword(L"SCRsnd", 3);
    ExpectDword(L"fgItalic", 2);
    saver_.reset();
  }
}

TEST_F(SettingsDialogTest, UpDownStepsByOneBetween1And100WithoutWrapping) {
  Start();
  const HWND edTime = Item(IDC_SETUP_EDTIME);
  const auto press = [&](UINT key) {
    ::PostMessageW(edTime, WM_KEYDOWN, key, 1);
    ::PostMessageW(edTime, WM_KEYUP, key, 0xC0000001);
  };
  const auto shows = [&](const wchar_t* text) {
    return driver::WaitUntil([&] { return driver::WindowText(edTime) == text; }, kStepMs);
  };
  press(VK_UP);
  EXPECT_TRUE(shows(L"11"));
  ::SendMessageW(Item(IDC_SETUP_UDTIME), UDM_SETPOS32, 0, 99);
  for (int i = 0; i < 3; ++i) press(VK_UP);
  press(VK_DOWN);
  EXPECT_TRUE(shows(L"99")) << "100 is the top and it does not wrap to 1";
  ::SendMessageW(Item(IDC_SETUP_UDTIME), UDM_SETPOS32, 0, 2);
  for (int i = 0; i < 3; ++i) press(VK_DOWN);
  press(VK_UP);
  EXPECT_TRUE(shows(L"2")) << "1 is the bottom and it does not wrap to 100";
}

TEST_F(SettingsDialogTest, FontDialogOkStoresTheWholeGroupWithTheTypedMessage) {
  Start();
  TypeMessage(L"フォントの前に打った");
  Click(IDC_SETUP_BTFONT);
  HWND fontDialog = nullptr;
  ASSERT_TRUE(driver::WaitUntil(
      [&] {
        for (HWND window : driver::TopLevelWindows(saver_->Id(), driver::kDialogClass)) {
          if (window != dialog_ && ::IsWindowVisible(window) &&
              ::GetWindow(window, GW_OWNER) == dialog_) {
            fontDialog = window;
          }
        }
        return fontDialog != nullptr;
      },
      kStepMs));
  EXPECT_FALSE(::IsWindowEnabled(dialog_)) << "the font dialog is modal";
  ::PostMessageW(::GetDlgItem(fontDialog, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitForValue(L"SCRsnd"));
  ExpectText(L"SCRcom", L"フォントの前に打った");
  ExpectDword(L"FontSize", 26);
  ExpectDword(L"ComColor", 0x0000FF00);
  ExpectDword(L"SCRtime", 10);
  ExpectDword(L"MoveFlag", 1);
  ExpectDword(L"SCRsnd", 1);
  EXPECT_TRUE(saver_->Running()) << "confirming the font does not close the dialog";
}

// A stored message in any script (a lone surrogate and a megabyte among them)
// shows in the edit and the preview exactly and goes back to the store unit
// for unit, through 閉じる and through the font dialog's ＯＫ.
TEST_F(SettingsDialogTest, AMessageInAnyScriptIsShownAndStoredExactly) {
  const std::wstring messages[] = {
      L"안녕하세요 😀 こんにちは Ünïcödé 𠮷",
      std::wstring(L"lone ") + wchar_t(0xD800) + L" and " + wchar_t(0xDC00) + L" halves",
      std::wstring(size_t(1) << 19, L'가'),  // a megabyte of UTF-16
  };
  for (const std::wstring& message : messages) {
    for (const int closeWith : {IDC_SETUP_BTCLOSE, IDC_SETUP_BTFONT}) {
      SCOPED_TRACE(closeWith == IDC_SETUP_BTCLOSE ? "閉じる" : "font dialog");
      driver::DeleteSettingsKey();
      driver::WriteRunnableSettings();
      driver::WriteString(L"SCRcom", message);
      Start();
      EXPECT_TRUE(LongText(Item(IDC_SETUP_MEEDIT)) == message) << "the edit changed the message";
      EXPECT_TRUE(LongText(Item(IDC_SETUP_MECOM)) == message) << "the preview changed the message";
      ::RegDeleteKeyValueW(HKEY_CURRENT_USER, driver::kSettingsKey, L"SCRcom");
      Click(closeWith);
      if (closeWith == IDC_SETUP_BTFONT) {
        HWND fontDialog = nullptr;
        ASSERT_TRUE(driver::WaitUntil(
            [&] {
              for (HWND window : driver::TopLevelWindows(saver_->Id(), driver::kDialogClass))
                if (window != dialog_ && ::IsWindowVisible(window)) fontDialog = window;
              return fontDialog != nullptr;
            },
            kStepMs));
        ::PostMessageW(::GetDlgItem(fontDialog, IDOK), BM_CLICK, 0, 0);
      }
      ASSERT_TRUE(WaitForValue(L"SCRcom"));
      const auto stored = driver::ReadValue(L"SCRcom");
      EXPECT_TRUE(stored->text == message) << "stored " << stored->text.size() << " units";
      saver_.reset();
    }
  }
}

TEST_F(SettingsDialogTest, HelpShowsItsFiftyFourLinesModallyAndKeepsItsScrollPosition) {
  Start();
  Click(IDC_SETUP_SBREADME);
  HWND help = WaitForDialog(saver_->Id(), L"ヘルプ");
  ASSERT_NE(help, nullptr);
  EXPECT_FALSE(::IsWindowEnabled(dialog_));
  const HWND text = ::GetDlgItem(help, IDC_AD_MEMSREG);
  const std::vector<std::wstring> lines = Lines(LongText(text));
  ASSERT_EQ(lines.size(), 54u);
  EXPECT_EQ(lines[0], L"【使用法】");
  EXPECT_EQ(lines[1], L"　［画像選択ボタン］を押して画像ファイルを収納している");
  EXPECT_EQ(lines[14], L"gif*.jif,*.dib,*.rle,*,tga,*.pcx)です．");
  EXPECT_EQ(lines[42], L"　その後，システムフォルダ(C:\\WINDOWS\\SYSTEM)にある");
  EXPECT_EQ(lines[43], L"［TolvexShow.scr］");
  EXPECT_EQ(lines[11], L"");
  EXPECT_EQ(lines[52], L"");
  EXPECT_EQ(lines[53], L" ");
  EXPECT_EQ(::SendMessageW(text, EM_GETLINECOUNT, 0, 0), 54) << "no line wraps";
  EXPECT_TRUE(::GetWindowLongPtrW(text, GWL_STYLE) & ES_READONLY);

  ::SendMessageW(text, EM_LINESCROLL, 0, 20);
  const LRESULT firstVisible = ::SendMessageW(text, EM_GETFIRSTVISIBLELINE, 0, 0);
  EXPECT_GT(firstVisible, 0);
  ::PostMessageW(::GetDlgItem(help, IDC_AD_BTOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(driver::WaitUntil([&] { return !::IsWindowVisible(help); }, kStepMs));
  EXPECT_TRUE(driver::WaitUntil([&] { return ::IsWindowEnabled(dialog_) != FALSE; }, kStepMs));

  Click(IDC_SETUP_SBREADME);
  ASSERT_EQ(WaitForDialog(saver_->Id(), L"ヘルプ"), help) << "the same dialog is reused";
  EXPECT_EQ(::SendMessageW(text, EM_GETFIRSTVISIBLELINE, 0, 0), firstVisible);
  ::PostMessageW(help, WM_CLOSE, 0, 0);
  EXPECT_TRUE(driver::WaitUntil([&] { return !::IsWindowVisible(help); }, kStepMs));
  EXPECT_TRUE(saver_->Running());
  EXPECT_EQ(ValueCount(), 0u) << "help saves nothing";
}

TEST_F(SettingsDialogTest, PictureSelectionCancelStoresNothingAndOkStoresThePictureGroup) {
  Start();
  Click(IDC_SETUP_BTFOLDER);
  const HWND picker = WaitForDialog(saver_->Id(), L"画像選択");
  ASSERT_NE(picker, nullptr);
  EXPECT_FALSE(::IsWindowEnabled(dialog_));
  ::PostMessageW(::GetDlgItem(picker, IDC_DCDIR_BTCANCEL), BM_CLICK, 0, 0);
  EXPECT_TRUE(driver::WaitUntil([&] { return !::IsWindowVisible(picker); }, kStepMs));
  EXPECT_EQ(ValueCount(), 0u);

  Click(IDC_SETUP_BTFOLDER);
  ASSERT_EQ(WaitForDialog(saver_->Id(), L"画像選択"), picker);
  ::PostMessageW(::GetDlgItem(picker, IDC_DCDIR_BTOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitForValue(L"eCount"));
  const auto folder = driver::ReadValue(L"dtDir");
  ASSERT_TRUE(folder.has_value());
  EXPECT_FALSE(folder->text.empty()) << "the start directory, at least";
  ExpectDword(L"SelPhoto", 0);
  ExpectDword(L"eCount", 0);
  EXPECT_FALSE(driver::ReadValue(L"SCRcom").has_value()) << "the message group is not saved";
}

// The effects dialog shows the store at every opening; キャンセル writes
// nothing, ＯＫ both values.
TEST_F(SettingsDialogTest, EffectsDialogStoresOnOkAndNotOnCancel) {
  driver::WriteDword(L"fgPanZoom", 1);
  Start();
  Click(IDC_SETUP_BTEFFECTS);
  const HWND effects = WaitForDialog(saver_->Id(), L"表示効果");
  ASSERT_NE(effects, nullptr);
  const HWND fade = ::GetDlgItem(effects, IDC_EFFECTS_CBFADE), panZoom = ::GetDlgItem(effects, IDC_EFFECTS_CBPANZOOM);
  EXPECT_EQ(driver::WindowText(fade), L"フェードで切り替える");
  EXPECT_EQ(driver::WindowText(panZoom), L"パンとズーム");
  EXPECT_FALSE(IsChecked(fade));
  EXPECT_TRUE(IsChecked(panZoom));
  ::PostMessageW(fade, BM_CLICK, 0, 0);
  ::PostMessageW(::GetDlgItem(effects, IDC_EFFECTS_BTCANCEL), BM_CLICK, 0, 0);
  ASSERT_TRUE(driver::WaitUntil([&] { return !::IsWindowVisible(effects); }, kStepMs));
  EXPECT_FALSE(driver::ReadValue(L"fgFade").has_value());

  Click(IDC_SETUP_BTEFFECTS);
  ASSERT_EQ(WaitForDialog(saver_->Id(), L"表示効果"), effects);
  EXPECT_FALSE(IsChecked(fade)) << "the store again, not the cancelled click";
  ::PostMessageW(fade, BM_CLICK, 0, 0);
  ::PostMessageW(panZoom, BM_CLICK, 0, 0);
  ::PostMessageW(::GetDlgItem(effects, IDC_EFFECTS_BTOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitForValue(L"fgFade"));
  ExpectDword(L"fgFade", 1);
  ExpectDword(L"fgPanZoom", 0);
}

// The boxes for pairs, the backdrop and the keys show the store at opening
// and are stored as 0 or 1 on ＯＫ, with the two before them.
TEST_F(SettingsDialogTest, EffectsDialogShowsAndStoresPairsBackdropAndKeys) {
  driver::WriteDword(L"fgBackdrop", 1);
  driver::WriteDword(L"fgKeys", 2);
  Start();
  Click(IDC_SETUP_BTEFFECTS);
  const HWND effects = WaitForDialog(saver_->Id(), L"表示効果");
  ASSERT_NE(effects, nullptr);
  const HWND pairs = ::GetDlgItem(effects, IDC_EFFECTS_CBPAIRS), backdrop = ::GetDlgItem(effects, IDC_EFFECTS_CBBACKDROP),
             keys = ::GetDlgItem(effects, IDC_EFFECTS_CBKEYS);
  EXPECT_EQ(driver::WindowText(pairs), L"縦長の写真は2枚並べる");
  EXPECT_EQ(driver::WindowText(backdrop), L"余白をぼかした写真で埋める");
  EXPECT_EQ(driver::WindowText(keys), L"キーで操作する");
  EXPECT_FALSE(IsChecked(pairs));
  EXPECT_TRUE(IsChecked(backdrop));
  EXPECT_FALSE(IsChecked(keys)) << "only a stored 1 is on";
  ::PostMessageW(pairs, BM_CLICK, 0, 0);
  ::PostMessageW(backdrop, BM_CLICK, 0, 0);
  ::PostMessageW(keys, BM_CLICK, 0, 0);
  ::PostMessageW(::GetDlgItem(effects, IDC_EFFECTS_BTOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(driver::WaitUntil(
      [] {
        const auto written = driver::ReadValue(L"fgKeys");
        return written && written->number == 1;
      },
      kStepMs))
      << "fgKeys is written last";
  ExpectDword(L"fgFade", 0);
  ExpectDword(L"fgPanZoom", 0);
  ExpectDword(L"fgPairs", 1);
  ExpectDword(L"fgBackdrop", 0);
  ExpectDword(L"fgKeys", 1);
}

TEST_F(SettingsDialogTest, SecondInstanceWhileTheDialogIsOpenExits1) {
  Start();
  driver::SaverProcess second(L"/c");
  ASSERT_TRUE(second.WaitForExit(kStartMs));
  EXPECT_EQ(second.ExitCode(), std::optional<DWORD>(1));
  EXPECT_TRUE(saver_->Running());
}

// The layout is in 96-dpi pixels scaled to the system's dpi, read by the
// program when it starts.
class SettingsDialogDpiTest : public SettingsDialogTest, public ::testing::WithParamInterface<int> {
 protected:
  static constexpr wchar_t kDesktop[] = L"Control Panel\\Desktop";
  void SetUp() override {
    SettingsDialogTest::SetUp();
    DWORD value = 0, size = sizeof(value);
    if (::RegGetValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels", RRF_RT_REG_DWORD, nullptr,
                       &value, &size) == ERROR_SUCCESS) {
      previous_ = value;
    }
    SetLogPixels(DWORD(GetParam()));
  }
  void TearDown() override {
    SettingsDialogTest::TearDown();
    if (previous_) {
      SetLogPixels(*previous_);
    } else {
      ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels");
    }
  }
  static void SetLogPixels(DWORD dpi) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels", REG_DWORD, &dpi, sizeof(dpi));
  }
  int Scaled(int pixels) const { return ::MulDiv(pixels, GetParam(), 96); }

  std::optional<DWORD> previous_;
};

TEST_P(SettingsDialogDpiTest, LayoutAndHeightRuleScaleWithTheDpi) {
  Start();
  const int expectedHeight = Scaled(157) + Scaled(27) + Scaled(30);
  EXPECT_TRUE(driver::WaitUntil([&] { return OuterHeight(dialog_) == expectedHeight; }, kStepMs))
      << "outer height " << OuterHeight(dialog_) << ", expected " << expectedHeight;
  RECT client{};
  ::GetClientRect(dialog_, &client);
  EXPECT_EQ(client.right, Scaled(629));
  const RECT close = ClientBoundsOf(Item(IDC_SETUP_BTCLOSE));
  EXPECT_EQ(close.left, Scaled(537));
  EXPECT_EQ(close.top, Scaled(16));
  EXPECT_EQ(close.right - close.left, Scaled(70));
  const RECT preview = ClientBoundsOf(Item(IDC_SETUP_MECOM));
  EXPECT_EQ(preview.top, Scaled(157));
  EXPECT_EQ(preview.right - preview.left, Scaled(601));
  const RECT stop = ClientBoundsOf(Item(IDC_SETUP_RBSTOP));
  EXPECT_EQ(stop.left, Scaled(238 + 5));
  EXPECT_EQ(stop.top, Scaled(7 + 51));
}

INSTANTIATE_TEST_SUITE_P(Scaling, SettingsDialogDpiTest, ::testing::Values(96, 144, 192));

}  // namespace
