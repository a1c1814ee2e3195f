#pragma once
// Registry keys held in memory, for tests and demos. Value names compare
// without regard to case, as in the real registry. Faults can be injected per
// value name, and the number of keys still open shows whether an operation
// closed its key.
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "settings/registry_key.h"

namespace settings {

class MemoryRegistry : public RegistryOpener {
 public:
  struct Value {
    ValueType type = ValueType::Other;
    std::string bytes;
  };
  struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  using Values = std::map<std::string, Value, NoCaseLess>;

  std::unique_ptr<RegistryKey> OpenExisting(const std::string& path) override;
  std::unique_ptr<RegistryKey> OpenOrCreate(const std::string& path) override;

  bool HasKey(const std::string& path) const;
  void CreateKey(const std::string& path);
  void PutString(const std::string& path, const std::string& name, const std::string& text,
                 ValueType type = ValueType::String);
  void PutDword(const std::string& path, const std::string& name, int32_t value);
  void PutRaw(const std::string& path, const std::string& name, ValueType type, const std::string& bytes);
  std::optional<Value> Get(const std::string& path, const std::string& name) const;
  // All values of a key (empty when the key is missing).
  Values ValuesOf(const std::string& path) const;

  int openKeys() const { return openKeys_; }

  // Injected faults, by value name.
  std::set<std::string, NoCaseLess> refusedQueries, failingSets, failingDeletes;
  bool failCreate = false;  // OpenOrCreate of a missing key fails

 private:
  class Key;
  std::map<std::string, Values, NoCaseLess> keys_;
  int openKeys_ = 0;
};

}  // namespace settings
