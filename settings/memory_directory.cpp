#include "settings/memory_directory.h"

#include <cctype>

namespace settings {

namespace {

bool SameLetter(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

}  // namespace

// Greedy matching with one backtrack point: the last '*' seen.
bool MatchesMask(std::string_view name, std::string_view mask) {
  size_t n = 0, m = 0, starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == '?' || (mask[m] != '*' && SameLetter(mask[m], name[n])))) {
      ++n;
      ++m;
    } else if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (starMask != std::string_view::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

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
