#pragma once
// The folder listing of the real file system: one find-first/find-next walk
// per folder through the wide functions (long paths, UTF-16 at the boundary),
// and a folder's identity from the handle of the folder itself, so that a
// link, a junction or a Unix symbolic link under Wine names its target.
#include "settings/folder_listing.h"

namespace settings {

class Win32FolderListing : public FolderListing {
 public:
  void List(const std::string& folder, const OnEntry& onEntry) override;
  std::optional<FolderIdentity> Identify(const std::string& folder) override;
};

}  // namespace settings
