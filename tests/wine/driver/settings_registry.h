#pragma once
// The saver's settings key in the real registry of the Wine prefix, written
// and read with the wide functions so the tests depend on no code page.
#include <windows.h>

#include <optional>
#include <string>

namespace driver {

inline constexpr wchar_t kSettingsKey[] = L"Software\\Morv\\Plim";

// Removes the key with everything under it; a missing key is fine.
void DeleteSettingsKey();
// Creates the key (empty) when missing.
void CreateSettingsKey();
void WriteString(const wchar_t* name, const std::wstring& text);
void WriteDword(const wchar_t* name, DWORD value);
// A complete set of values with which the saver runs silently.
void WriteRunnableSettings();

struct StoredValue {
  DWORD type = REG_NONE;
  std::wstring text;  // REG_SZ / REG_EXPAND_SZ, without the terminating zero
  DWORD number = 0;   // REG_DWORD
};
std::optional<StoredValue> ReadValue(const wchar_t* name);

}  // namespace driver
