#include "settings/memory_registry.h"

#include <algorithm>
#include <cctype>

namespace settings {

bool MemoryRegistry::NoCaseLess::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

class MemoryRegistry::Key : public RegistryKey {
 public:
  Key(MemoryRegistry& registry, std::string path) : registry_(registry), path_(std::move(path)) {
    ++registry_.openKeys_;
  }
  ~Key() override { --registry_.openKeys_; }

  QueryResult QueryValue(const std::string& name) override {
    if (registry_.refusedQueries.count(name)) return {QueryStatus::Refused, ValueType::Other, {}};
    const auto& values = registry_.keys_[path_];
    const auto it = values.find(name);
    if (it == values.end()) return {QueryStatus::Missing, ValueType::Other, {}};
    return {QueryStatus::Ok, it->second.type, it->second.bytes};
  }
  bool SetString(const std::string& name, const std::string& text) override {
    if (registry_.failingSets.count(name)) return false;
    registry_.PutString(path_, name, text);
    return true;
  }
  bool SetDword(const std::string& name, int32_t value) override {
    if (registry_.failingSets.count(name)) return false;
    registry_.PutDword(path_, name, value);
    return true;
  }
  DeleteStatus DeleteValue(const std::string& name) override {
    if (registry_.failingDeletes.count(name)) return DeleteStatus::Error;
    return registry_.keys_[path_].erase(name) ? DeleteStatus::Ok : DeleteStatus::Missing;
  }
  std::vector<std::string> ValueNames() override {
    std::vector<std::string> names;
    for (const auto& [name, value] : registry_.keys_[path_]) names.push_back(name);
    return names;
  }

 private:
  MemoryRegistry& registry_;
  std::string path_;
};

std::unique_ptr<RegistryKey> MemoryRegistry::OpenExisting(const std::string& path) {
  if (!HasKey(path)) return nullptr;
  return std::make_unique<Key>(*this, path);
}

std::unique_ptr<RegistryKey> MemoryRegistry::OpenOrCreate(const std::string& path) {
  if (!HasKey(path) && failCreate) return nullptr;
  CreateKey(path);
  return std::make_unique<Key>(*this, path);
}

bool MemoryRegistry::HasKey(const std::string& path) const { return keys_.count(path) != 0; }

void MemoryRegistry::CreateKey(const std::string& path) { keys_[path]; }

// Like RegSetValueEx, a text is stored with its terminating zero.
void MemoryRegistry::PutString(const std::string& path, const std::string& name,
                               const std::string& text, ValueType type) {
  PutRaw(path, name, type, text + '\0');
}

void MemoryRegistry::PutDword(const std::string& path, const std::string& name, int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  const std::string bytes{char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
  PutRaw(path, name, ValueType::Dword, bytes);
}

void MemoryRegistry::PutRaw(const std::string& path, const std::string& name, ValueType type,
                            const std::string& bytes) {
  keys_[path][name] = Value{type, bytes};
}

std::optional<MemoryRegistry::Value> MemoryRegistry::Get(const std::string& path,
                                                         const std::string& name) const {
  const auto key = keys_.find(path);
  if (key == keys_.end()) return std::nullopt;
  const auto it = key->second.find(name);
  if (it == key->second.end()) return std::nullopt;
  return it->second;
}

MemoryRegistry::Values MemoryRegistry::ValuesOf(const std::string& path) const {
  const auto key = keys_.find(path);
  return key == keys_.end() ? Values{} : key->second;
}

}  // namespace settings
