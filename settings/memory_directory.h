#pragma once
// Folders held in memory, for tests and demos: each folder lists its entry
// names in the order a search yields them. Masks match as MatchesMask
// matches them; the short-name matches of real file systems are not imitated.
#include <map>
#include <string>
#include <vector>

#include "settings/directory_search.h"
#include "settings/name_mask.h"

namespace settings {

class MemoryDirectory : public DirectorySearch {
 public:
  // folder is as searched, without a trailing backslash ("C:\\Photos", "" for
  // the current drive's root).
  void AddEntry(const std::string& folder, const std::string& name);

  void Find(const std::string& pattern, const OnEntry& onEntry) override;

  std::vector<std::string> patternsSearched;  // every Find, in order

 private:
  std::map<std::string, std::vector<std::string>> folders_;
};

}  // namespace settings
