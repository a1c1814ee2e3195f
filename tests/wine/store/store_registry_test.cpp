// The store against the real registry: what the writers leave behind must be
// REG_SZ / REG_DWORD under HKCU\Software\Morv\Plim, and a Japanese text must
// read back unit for unit through the wide functions and as CP932 through the
// ANSI functions.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/utf16.h"
#include "settings/dialog_store.h"
#include "settings/registry_win.h"
#include "settings/saver_store.h"

namespace {

constexpr wchar_t kKey[] = L"Software\\Morv\\Plim";
// Three of these characters have the trail byte 0x5C in CP932.
const std::string kJapanese = "ソフト十表 明日";
const std::string kJapanesePath = "C:\\写真\\十";
const std::wstring kJapaneseWide = L"\u30bd\u30d5\u30c8\u5341\u8868 \u660e\u65e5";

class StoreRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }

  struct Raw {
    LONG rc = 0;
    DWORD type = 0;
    std::vector<BYTE> data;
  };
  static Raw QueryW(const wchar_t* name) {
    Raw r;
    DWORD size = 0;
    r.rc = RegGetValueW(HKEY_CURRENT_USER, kKey, name, RRF_RT_ANY | RRF_NOEXPAND, &r.type, nullptr, &size);
    if (r.rc != ERROR_SUCCESS) return r;
    r.data.resize(size);
    r.rc = RegGetValueW(HKEY_CURRENT_USER, kKey, name, RRF_RT_ANY | RRF_NOEXPAND, &r.type, r.data.data(), &size);
    r.data.resize(size);
    return r;
  }
  static Raw QueryA(const char* name) {
    Raw r;
    HKEY key = nullptr;
    r.rc = RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Morv\\Plim", 0, KEY_READ, &key);
    if (r.rc != ERROR_SUCCESS) return r;
    DWORD size = 0;
    r.rc = RegQueryValueExA(key, name, nullptr, &r.type, nullptr, &size);
    if (r.rc == ERROR_SUCCESS) {
      r.data.resize(size);
      r.rc = RegQueryValueExA(key, name, nullptr, &r.type, r.data.data(), &size);
      r.data.resize(size);
    }
    RegCloseKey(key);
    return r;
  }
  static std::wstring WideText(const Raw& r) {
    return std::wstring(reinterpret_cast<const wchar_t*>(r.data.data()), r.data.size() / 2 - 1);
  }
  static std::string Cp932(const std::wstring& w) {
    std::string out(w.size() * 2, '\0');
    out.resize(size_t(WideCharToMultiByte(932, 0, w.data(), int(w.size()), out.data(), int(out.size()),
                                          nullptr, nullptr)));
    return out;
  }
  static DWORD Dword(const Raw& r) { return r.data.size() == 4 ? *reinterpret_cast<const DWORD*>(r.data.data()) : 0xDEADu; }

  settings::Win32Registry registry;
};

TEST_F(StoreRegistryTest, MessageSettingsLandWithTheirTypesAndJapaneseIntact) {
  settings::MessageSettings m = settings::DialogMessageDefaults();
  m.messageText = kJapanese;
  m.fontSize = 30;
  m.soundEffect = settings::SystemSound;
  settings::WriteMessageSettings(registry, m);

  const Raw text = QueryW(L"SCRcom");
  ASSERT_EQ(text.rc, ERROR_SUCCESS);
  EXPECT_EQ(text.type, DWORD(REG_SZ));
  EXPECT_EQ(WideText(text), kJapaneseWide);
  EXPECT_EQ(platform::Utf8FromWide(WideText(text)), kJapanese);

  // The system's ANSI view is in its own code page, which under Wine need not
  // be 932; only the type and a terminated text are checked there.
  const Raw ansi = QueryA("SCRcom");
  ASSERT_EQ(ansi.rc, ERROR_SUCCESS);
  EXPECT_EQ(ansi.type, DWORD(REG_SZ));
  EXPECT_EQ(ansi.data.back(), 0);
  if (GetACP() == 932) {
    EXPECT_EQ(std::string(ansi.data.begin(), ansi.data.end() - 1), Cp932(kJapaneseWide));
  }

  for (const wchar_t* name : {L"ComColor", L"FontSize", L"fgBold", L"fgItalic", L"fgUnderline",
                              L"fgStrikeOut", L"SCRtime", L"MoveFlag", L"SCRsnd"}) {
    const Raw r = QueryW(name);
    ASSERT_EQ(r.rc, ERROR_SUCCESS) << name;
    EXPECT_EQ(r.type, DWORD(REG_DWORD)) << name;
    EXPECT_EQ(r.data.size(), 4u) << name;
  }
  EXPECT_EQ(Dword(QueryW(L"FontSize")), 30u);
  EXPECT_EQ(Dword(QueryW(L"SCRsnd")), 2u);
  EXPECT_EQ(Dword(QueryW(L"ComColor")), 0x0000FF00u);
  EXPECT_EQ(Dword(QueryW(L"MoveFlag")), 1u);

  settings::SaverSettings saver;
  ASSERT_EQ(settings::ReadSaverMessageSettings(registry, saver), settings::ReadOutcome::Continue);
  EXPECT_EQ(saver.message.messageText, kJapanese);
  EXPECT_EQ(settings::ReadDialogMessageSettings(registry).messageText, kJapanese);
}

TEST_F(StoreRegistryTest, PictureSettingsReplaceTheOldListAndReadBackByteForByte) {
  settings::PictureSelectionResult old{"C:\\old", false, {"a", "b", "c", "d", "e"}};
  settings::WritePictureSettings(registry, old);
  settings::PictureSelectionResult now{kJapanesePath + "\\", true, {kJapanesePath + "\\1.jpg", kJapanese}};
  settings::WritePictureSettings(registry, now);

  EXPECT_EQ(QueryW(L"dtDir").type, DWORD(REG_SZ));
  EXPECT_EQ(QueryW(L"SelPhoto").type, DWORD(REG_DWORD));
  EXPECT_EQ(Dword(QueryW(L"SelPhoto")), 1u);
  EXPECT_EQ(Dword(QueryW(L"eCount")), 2u);
  EXPECT_EQ(QueryW(L"File_001").type, DWORD(REG_SZ));
  EXPECT_EQ(WideText(QueryW(L"File_001")), kJapaneseWide);
  EXPECT_EQ(QueryW(L"File_002").rc, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(QueryW(L"File_004").rc, ERROR_FILE_NOT_FOUND);

  settings::PictureSelectionState state;
  EXPECT_TRUE(settings::ReadDialogPictureSettings(registry, state));
  EXPECT_EQ(state.pictureFolder, kJapanesePath + "\\");
  EXPECT_EQ(state.registeredCount, 2);
  EXPECT_EQ(state.registeredFiles[0], kJapanesePath + "\\1.jpg");
  EXPECT_EQ(state.registeredFiles[1], kJapanese);

  settings::SaverSettings saver;
  settings::PictureList list;
  ASSERT_EQ(settings::ReadSaverPictureSettings(registry, saver, list), settings::ReadOutcome::Continue);
  EXPECT_EQ(saver.picture.folder, kJapanesePath);  // one backslash removed
  EXPECT_EQ(list.entryCount, 2);
  EXPECT_EQ(list.paths[1], kJapanese);
}

// Texts no code page holds are REG_SZ in UTF-16 unit for unit, and what the
// registry holds (a lone surrogate included) comes back to it unchanged.
TEST_F(StoreRegistryTest, TextsOfAnyScriptAreStoredAndReadUnitForUnit) {
  const std::wstring texts[] = {
      L"C:\\사진폴더\\풍경.bmp",
      L"안녕하세요 😀 こんにちは Ünïcödé 𠮷",
      std::wstring(L"C:\\") + wchar_t(0xD800) + L"x" + wchar_t(0xDC00) + L".bmp",
  };
  for (const std::wstring& wide : texts) {
    const std::string text = platform::Utf8FromWide(wide);
    settings::MessageSettings m = settings::DialogMessageDefaults();
    m.messageText = text;
    settings::WriteMessageSettings(registry, m);
    settings::WritePictureSettings(registry, {text, true, {text}});
    for (const wchar_t* name : {L"SCRcom", L"dtDir", L"File_000"}) {
      const Raw r = QueryW(name);
      EXPECT_EQ(r.type, DWORD(REG_SZ)) << name;
      EXPECT_TRUE(WideText(r) == wide) << name;
    }
    settings::PictureSelectionState state;
    ASSERT_TRUE(settings::ReadDialogPictureSettings(registry, state));
    EXPECT_EQ(state.registeredFiles[0], text);
    EXPECT_EQ(settings::ReadDialogMessageSettings(registry).messageText, text);
  }
}

TEST_F(StoreRegistryTest, ExpandStringIsTakenUnexpandedAndTheSaverNeedsTheKey) {
  settings::SaverSettings saver;
  settings::PictureList list;
  EXPECT_EQ(settings::ReadSaverPictureSettings(registry, saver, list), settings::ReadOutcome::EndApplication);
  HKEY probe = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &probe), ERROR_FILE_NOT_FOUND);

  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const wchar_t folder[] = L"%SystemRoot%\\pics";
  RegSetValueExW(key, L"dtDir", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(folder), sizeof folder);
  RegCloseKey(key);
  EXPECT_EQ(settings::ReadSaverPictureSettings(registry, saver, list), settings::ReadOutcome::Continue);
  EXPECT_EQ(saver.picture.folder, "%SystemRoot%\\pics");
}

}  // namespace
