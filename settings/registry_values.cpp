#include "settings/registry_values.h"

#include <cstdio>

namespace settings {

namespace {

using Kind = StoreError::Kind;

// A DWORD of another size than 4 bytes can only come from a hand-made value;
// it is treated as a value of the wrong type rather than read partially.
uint32_t DwordOf(const QueryResult& r, const std::string& name) {
  if (r.status != QueryStatus::Ok) throw StoreError(Kind::ReadFailed, name);
  if (r.type != ValueType::Dword || r.bytes.size() != 4) throw StoreError(Kind::WrongType, name);
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(r.bytes[size_t(i)]);
  return v;
}

}  // namespace

std::string ReadText(RegistryKey& key, const std::string& name) {
  const QueryResult r = key.QueryValue(name);
  if (r.status == QueryStatus::Missing) return {};
  if (r.status == QueryStatus::Refused) throw StoreError(Kind::ReadFailed, name);
  if (r.type != ValueType::String && r.type != ValueType::ExpandString)
    throw StoreError(Kind::WrongType, name);
  return r.bytes.substr(0, r.bytes.find('\0'));
}

int32_t ReadInteger(RegistryKey& key, const std::string& name) {
  return static_cast<int32_t>(DwordOf(key.QueryValue(name), name));
}

bool ReadBoolean(RegistryKey& key, const std::string& name) {
  return DwordOf(key.QueryValue(name), name) != 0;
}

int32_t ReadAddedInteger(RegistryKey& key, const std::string& name) {
  try {
    return ReadInteger(key, name);
  } catch (const StoreError&) {
    return 0;
  }
}

void WriteText(RegistryKey& key, const std::string& name, const std::string& text) {
  if (!key.SetString(name, text)) throw StoreError(Kind::WriteFailed, name);
}

void WriteInteger(RegistryKey& key, const std::string& name, int32_t value) {
  if (!key.SetDword(name, value)) throw StoreError(Kind::WriteFailed, name);
}

void WriteBoolean(RegistryKey& key, const std::string& name, bool value) {
  WriteInteger(key, name, value ? 1 : 0);
}

std::string RegisteredEntryName(int index) {
  char name[16];
  std::snprintf(name, sizeof name, "File_%03d", index);
  return name;
}

}  // namespace settings
