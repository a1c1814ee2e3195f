#include "settings/registry_win.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/handles_win.h"
#include "platform/utf16.h"

namespace settings {

namespace {

using platform::Utf8FromWide;
using platform::WideFromUtf8;

ValueType TypeOf(DWORD type) {
  switch (type) {
    case REG_SZ: return ValueType::String;
    case REG_EXPAND_SZ: return ValueType::ExpandString;
    case REG_DWORD: return ValueType::Dword;
    default: return ValueType::Other;
  }
}

// The registry stores texts as UTF-16; the program sees them as UTF-8, zeros
// included, so the store's cut at the first zero works on the same text. An
// odd last byte is no UTF-16 unit and is left out.
std::string Utf8FromStoredText(const std::vector<BYTE>& data) {
  std::wstring text(data.size() / sizeof(wchar_t), L'\0');
  if (!text.empty()) std::memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
  return Utf8FromWide(text);
}

// A value may grow between asking its size and reading it; it is read again then.
LONG QueryInto(HKEY key, const wchar_t* name, DWORD& type, std::vector<BYTE>& data) {
  for (int round = 0; round < 4; ++round) {
    DWORD size = 0;
    LONG rc = RegQueryValueExW(key, name, nullptr, &type, nullptr, &size);
    if (rc != ERROR_SUCCESS) return rc;
    data.resize(size);
    rc = RegQueryValueExW(key, name, nullptr, &type, data.data(), &size);
    if (rc != ERROR_MORE_DATA) {
      data.resize(size);
      return rc;
    }
  }
  return ERROR_MORE_DATA;
}

class Win32Key : public RegistryKey {
 public:
  explicit Win32Key(HKEY key) : key_(key) {}

  QueryResult QueryValue(const std::string& name) override {
    DWORD type = 0;
    std::vector<BYTE> data;
    const LONG rc = QueryInto(key_.get(), WideFromUtf8(name).c_str(), type, data);
    if (rc == ERROR_FILE_NOT_FOUND) return {QueryStatus::Missing, ValueType::Other, {}};
    if (rc != ERROR_SUCCESS) return {QueryStatus::Refused, ValueType::Other, {}};
    QueryResult r{QueryStatus::Ok, TypeOf(type), {}};
    if (type == REG_SZ || type == REG_EXPAND_SZ)
      r.bytes = Utf8FromStoredText(data);
    else
      r.bytes.assign(data.begin(), data.end());
    return r;
  }

  bool SetString(const std::string& name, const std::string& text) override {
    const std::wstring wide = WideFromUtf8(text);
    const auto bytes = DWORD((wide.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key_.get(), WideFromUtf8(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(wide.c_str()), bytes) == ERROR_SUCCESS;
  }

  bool SetDword(const std::string& name, int32_t value) override {
    const auto dword = static_cast<DWORD>(value);
    return RegSetValueExW(key_.get(), WideFromUtf8(name).c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&dword), sizeof dword) == ERROR_SUCCESS;
  }

  DeleteStatus DeleteValue(const std::string& name) override {
    const LONG rc = RegDeleteValueW(key_.get(), WideFromUtf8(name).c_str());
    if (rc == ERROR_SUCCESS) return DeleteStatus::Ok;
    return rc == ERROR_FILE_NOT_FOUND ? DeleteStatus::Missing : DeleteStatus::Error;
  }

  // A name may be up to 16 383 characters; the buffer is sized from the key's
  // longest, and a value added meanwhile with a longer name is left out.
  std::vector<std::string> ValueNames() override {
    DWORD longest = 0;
    if (RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         &longest, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      return {};
    std::vector<std::string> names;
    std::vector<wchar_t> name(size_t(longest) + 1);
    for (DWORD index = 0;; ++index) {
      DWORD length = DWORD(name.size());
      const LONG rc = RegEnumValueW(key_.get(), index, name.data(), &length, nullptr, nullptr,
                                    nullptr, nullptr);
      if (rc == ERROR_MORE_DATA) continue;
      if (rc != ERROR_SUCCESS) break;
      names.push_back(Utf8FromWide(std::wstring_view(name.data(), length)));
    }
    return names;
  }

 private:
  platform::UniqueRegistryKey key_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::OpenExisting(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, WideFromUtf8(path).c_str(), 0, KEY_ALL_ACCESS, &key) !=
      ERROR_SUCCESS)
    return nullptr;
  return std::make_unique<Win32Key>(key);
}

std::unique_ptr<RegistryKey> Win32Registry::OpenOrCreate(const std::string& path) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, WideFromUtf8(path).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return nullptr;
  return std::make_unique<Win32Key>(key);
}

}  // namespace settings
