#include "tests/wine/driver/settings_registry.h"

#include <stdexcept>
#include <vector>

namespace driver {

namespace {
class Key {
 public:
  Key() {
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &key_, nullptr) != ERROR_SUCCESS) {
      throw std::runtime_error("the settings key could not be created");
    }
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  ~Key() { ::RegCloseKey(key_); }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

void Check(LSTATUS status, const char* what) {
  if (status != ERROR_SUCCESS) throw std::runtime_error(what);
}
}  // namespace

void DeleteSettingsKey() {
  const LSTATUS status = ::RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    throw std::runtime_error("the settings key could not be deleted");
  }
}

void CreateSettingsKey() { Key key; }

void WriteString(const wchar_t* name, const std::wstring& text) {
  Key key;
  Check(::RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         DWORD((text.size() + 1) * sizeof(wchar_t))),
        "a text value could not be written");
}

void WriteDword(const wchar_t* name, DWORD value) {
  Key key;
  Check(::RegSetValueExW(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                         sizeof(value)),
        "a number value could not be written");
}

void WriteRunnableSettings() {
  WriteString(L"dtDir", L"C:\\");
  WriteDword(L"SelPhoto", 0);
  WriteString(L"SCRcom", L"テスト");
  WriteString(L"FontName", L"ＭＳ ゴシック");
  WriteDword(L"ComColor", 0x0000FF00);
  WriteDword(L"FontSize", 14);
  for (const wchar_t* style : {L"fgBold", L"fgItalic", L"fgUnderline", L"fgStrikeOut"}) {
    WriteDword(style, 0);
  }
  WriteDword(L"SCRsnd", 3);
  WriteDword(L"SCRtime", 5);
  WriteDword(L"MoveFlag", 1);
}

std::optional<StoredValue> ReadValue(const wchar_t* name) {
  // The saver may be rewriting the value while we look: it can grow between
  // two reads or vanish, so the buffer grows until the value fits.
  DWORD type = 0, size = 0;
  std::vector<BYTE> data(256);
  for (;;) {
    size = DWORD(data.size() - sizeof(wchar_t));
    const LSTATUS status = ::RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name,
                                          RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(), &size);
    if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
    if (status != ERROR_MORE_DATA) {
      Check(status, "a value could not be read");
      break;
    }
    data.resize(size + sizeof(wchar_t));
  }
  StoredValue value;
  value.type = type;
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    value.text.assign(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
    while (!value.text.empty() && value.text.back() == L'\0') value.text.pop_back();
  } else if (type == REG_DWORD && size == sizeof(DWORD)) {
    value.number = *reinterpret_cast<const DWORD*>(data.data());
  }
  return value;
}

}  // namespace driver
