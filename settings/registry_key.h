#pragma once
// The store's view of the registry: one open key with typed values, and an
// opener for keys under the current user's root. The store's rules are written
// once against this interface; registry_win.h adapts it to the real registry,
// memory_registry.h keeps keys in memory for tests and demos.
//
// Value names and texts are UTF-8. An implementation converts at
// its own boundary, so a text set here reads back byte for byte.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace settings {

// The one key of the program, relative to the current user's root.
inline constexpr char kSettingsKeyPath[] = "Software\\Morv\\Plim";

enum class ValueType { String, ExpandString, Dword, Other };
enum class QueryStatus { Ok, Missing, Refused };

struct QueryResult {
  QueryStatus status = QueryStatus::Missing;
  ValueType type = ValueType::Other;
  // String types: the text as stored (UTF-8), terminating zero(s) included when
  // the store holds them. Dword: 4 bytes, little-endian. Other: raw data.
  std::string bytes;
};

enum class DeleteStatus { Ok, Missing, Error };

// An open key; destroying it closes the key.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  virtual QueryResult QueryValue(const std::string& name) = 0;
  // Sets a REG_SZ of the text and its terminating zero.
  virtual bool SetString(const std::string& name, const std::string& text) = 0;
  virtual bool SetDword(const std::string& name, int32_t value) = 0;
  virtual DeleteStatus DeleteValue(const std::string& name) = 0;
  // The names of the key's values, in no particular order; none when the key
  // cannot be listed.
  virtual std::vector<std::string> ValueNames() = 0;
};

class RegistryOpener {
 public:
  virtual ~RegistryOpener() = default;
  // nullptr when the key does not exist or cannot be opened.
  virtual std::unique_ptr<RegistryKey> OpenExisting(const std::string& path) = 0;
  // nullptr when the key can be neither opened nor created.
  virtual std::unique_ptr<RegistryKey> OpenOrCreate(const std::string& path) = 0;
};

}  // namespace settings
