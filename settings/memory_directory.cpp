#include "settings/memory_directory.h"

namespace settings {

void MemoryDirectory::AddEntry(const std::string& folder, const std::string& name) {
  folders_[folder].push_back(name);
}

void MemoryDirectory::Find(const std::string& pattern, const OnEntry& onEntry) {
  patternsSearched.push_back(pattern);
  const size_t cut = pattern.rfind('\\');
  const std::string folder = cut == std::string::npos ? std::string() : pattern.substr(0, cut);
  const std::string mask = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
  const auto it = folders_.find(folder);
  if (it == folders_.end()) return;
  for (const std::string& name : it->second)
    if (MatchesMask(name, mask) && !onEntry(name)) return;
}

}  // namespace settings
