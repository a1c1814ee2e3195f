#pragma once
// The folder listing of the real file system. A folder is read in large
// batches of directory records through its own handle (long paths, UTF-16 at
// the boundary); each record carries the entry's file ID, so a sub-folder
// that is no link takes its identity from its parent's listing: asking a
// folder's volume is by far the dearest step of a whole-tree walk under Wine.
// A link, a junction or a mount point, and any folder not listed first, is
// opened itself, links followed, so it names its target.
#include <map>

#include "settings/folder_listing.h"

namespace settings {

class Win32FolderListing : public FolderListing {
 public:
  void List(const std::string& folder, const OnEntry& onEntry) override;
  std::optional<FolderIdentity> Identify(const std::string& folder) override;

 private:
  // The identities of the sub-folders listed and not yet asked for, but the
  // hidden and the placeholders, which no walk enters: a walk asks once for
  // each, so this holds little more than the walk's own backlog.
  std::map<std::string, FolderIdentity> listedFolders_;
  std::string lastIdentified_;
  FolderIdentity lastIdentity_;
};

}  // namespace settings
