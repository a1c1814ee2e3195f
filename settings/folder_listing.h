#pragma once
// A folder's entries as the whole-tree walk and the folder scan need them: every entry once, in
// the order the file system yields them, with what decides whether the walk
// takes it, and the identity of a folder on its volume, which recognises a
// folder reached twice (through a link, a junction or a loop) whatever its
// name. Entries carry their short 8.3 names too, which the system's search
// matches masks against. Texts are UTF-8; a folder comes without a trailing
// backslash.
#include <compare>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace settings {

struct FolderEntry {
  std::string name;
  bool isFolder = false;
  bool hidden = false;    // hidden or system
  bool notLocal = false;  // a cloud placeholder or offline: reading it would download it
  std::string shortName;  // the 8.3 name the file system keeps beside a longer one; empty when none
};

// The volume and the 128-bit file ID of a folder.
struct FolderIdentity {
  uint64_t volume = 0;
  uint64_t fileHigh = 0;
  uint64_t fileLow = 0;
  friend auto operator<=>(const FolderIdentity&, const FolderIdentity&) = default;
};

class FolderListing {
 public:
  // Return false to stop the listing early.
  using OnEntry = std::function<bool(const FolderEntry& entry)>;
  virtual ~FolderListing() = default;
  // Calls onEntry with each entry of the folder but "." and "..", until it
  // returns false or the entries run out. A folder that cannot be listed
  // calls it never.
  virtual void List(const std::string& folder, const OnEntry& onEntry) = 0;
  // The folder's identity, links followed; nothing when it cannot be opened.
  virtual std::optional<FolderIdentity> Identify(const std::string& folder) = 0;
};

}  // namespace settings
