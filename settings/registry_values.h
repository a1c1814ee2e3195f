#pragma once
// The three kinds of stored values with their encodings and failures.
//   text:    written REG_SZ; read REG_SZ or REG_EXPAND_SZ unexpanded, cut at the
//            first zero byte; missing reads as empty.
//   integer: REG_DWORD, signed 32-bit; missing or another type fails.
//   boolean: REG_DWORD 1 or 0; any non-zero reads true; missing or another
//            type fails.
// Reads and writes throw StoreError.
#include <cstdint>
#include <string>

#include "settings/registry_key.h"
#include "settings/store_error.h"

namespace settings {

std::string ReadText(RegistryKey& key, const std::string& name);
int32_t ReadInteger(RegistryKey& key, const std::string& name);
bool ReadBoolean(RegistryKey& key, const std::string& name);
// A number stored beside the documented values (fgDate and later ones). Every
// store from before it lacks it and a hand may write anything there, so a
// missing or mistyped one reads as 0, which is always "off": it never fails.
int32_t ReadAddedInteger(RegistryKey& key, const std::string& name);

void WriteText(RegistryKey& key, const std::string& name, const std::string& text);
void WriteInteger(RegistryKey& key, const std::string& name, int32_t value);
void WriteBoolean(RegistryKey& key, const std::string& name, bool value);

// The registered list: eCount entries named "File_%03d". Readers take up to 51
// (File_000..File_050), the writer stores at most 50; the asymmetry is kept so
// that a list written by hand with 51 entries still shows them all.
inline constexpr int kRegisteredEntriesRead = 51;
inline constexpr int kRegisteredEntriesWritten = 50;
std::string RegisteredEntryName(int index);

}  // namespace settings
