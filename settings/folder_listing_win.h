#pragma once
// The folder listing of the real file system. A folder is read in large
// batches of directory records through its own handle (long paths, UTF-16 at
// the boundary); each record carries the entry's file ID, so a sub-folder
// that is no link takes its identity from its parent's listing: asking a
// folder's volume is by far the dearest step of a whole-tree walk under Wine.
// A link, a junction or a mount point, and any folder not listed first, is
// opened itself, links followed, so it names its target. A file system that
// keeps no directory records by handle is read through the system's find
// instead, with the same entries and short names and no file IDs.
#include <map>

#include "settings/folder_listing.h"

namespace settings {

class Win32FolderListing : public FolderListing {
 public:
  enum class Road {
    DirectoryRecords,  // by handle, the find where the file system has no records
    Find,              // the system's find alone
  };
  explicit Win32FolderListing(Road road = Road::DirectoryRecords) : road_(road) {}

  void List(const std::string& folder, const OnEntry& onEntry) override;
  std::optional<FolderIdentity> Identify(const std::string& folder) override;

 private:
  // False when the folder opened but gave no records at all.
  bool ListRecords(const std::string& folder, const OnEntry& onEntry);
  void ListFound(const std::string& folder, const OnEntry& onEntry);

  Road road_;
  // The identities of the sub-folders listed and not yet asked for, but the
  // hidden and the placeholders, which no walk enters: a walk asks once for
  // each, so this holds little more than the walk's own backlog.
  std::map<std::string, FolderIdentity> listedFolders_;
  std::string lastIdentified_;
  FolderIdentity lastIdentity_;
};

}  // namespace settings
