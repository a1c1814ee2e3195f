#pragma once
// The directory search of the real file system (find-first/find-next through
// the wide functions, UTF-16 at the boundary).
#include "settings/directory_search.h"

namespace settings {

class Win32DirectorySearch : public DirectorySearch {
 public:
  void Find(const std::string& pattern, const OnEntry& onEntry) override;
};

}  // namespace settings
