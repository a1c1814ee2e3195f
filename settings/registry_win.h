#pragma once
// The store's keys in the real registry: under HKEY_CURRENT_USER, opened and
// created with full access, through the wide functions; names and texts
// are UTF-8 in the program and UTF-16 in the registry.
#include "settings/registry_key.h"

namespace settings {

class Win32Registry : public RegistryOpener {
 public:
  std::unique_ptr<RegistryKey> OpenExisting(const std::string& path) override;
  std::unique_ptr<RegistryKey> OpenOrCreate(const std::string& path) override;
};

}  // namespace settings
