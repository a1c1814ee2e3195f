#pragma once
// Folders held in memory for the library walk: entries with their
// attributes, in the order given, and folders that share an identity as a
// link and its target do. Every folder listed is recorded.
#include <map>
#include <string>
#include <vector>

#include "settings/folder_listing.h"

namespace slideshow::testing {

class MemoryFolderTree : public settings::FolderListing {
 public:
  // A folder with a fresh identity of its own, and its entry in its parent.
  MemoryFolderTree& Folder(const std::string& path, bool hidden = false) {
    return AddFolder(path, {0, 0, ++lastId_}, hidden);
  }
  // A folder that is `target` under another name, as a link is.
  MemoryFolderTree& Link(const std::string& path, const std::string& target) {
    links_[path] = target;
    AddEntry(path, {Name(path), true, false, false});
    return *this;
  }
  MemoryFolderTree& File(const std::string& path, bool hidden = false, bool notLocal = false) {
    AddEntry(path, {Name(path), false, hidden, notLocal});
    return *this;
  }

  void List(const std::string& folder, const OnEntry& onEntry) override {
    listed.push_back(folder);
    const auto it = entries_.find(Resolve(folder));
    if (it == entries_.end()) return;
    for (const settings::FolderEntry& entry : it->second)
      if (!onEntry(entry)) return;
  }
  std::optional<settings::FolderIdentity> Identify(const std::string& folder) override {
    const auto it = ids_.find(Resolve(folder));
    if (it == ids_.end()) return std::nullopt;
    return it->second;
  }

  std::vector<std::string> listed;

 private:
  static std::string Name(const std::string& path) { return path.substr(path.rfind('\\') + 1); }
  static std::string Parent(const std::string& path) {
    const size_t cut = path.rfind('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
  }
  // The folder a path reaches through the links on its way.
  std::string Resolve(std::string path) const {
    for (bool changed = true; changed;) {
      changed = false;
      for (const auto& [link, target] : links_) {
        if (path != link && path.rfind(link + "\\", 0) != 0) continue;
        path = target + path.substr(link.size());
        changed = true;
      }
    }
    return path;
  }
  MemoryFolderTree& AddFolder(const std::string& path, settings::FolderIdentity id, bool hidden) {
    ids_[path] = id;
    entries_[path];
    if (path.find('\\') != std::string::npos) AddEntry(path, {Name(path), true, hidden, false});
    return *this;
  }
  void AddEntry(const std::string& path, settings::FolderEntry entry) {
    entries_[Parent(path)].push_back(std::move(entry));
  }

  std::map<std::string, std::vector<settings::FolderEntry>> entries_;
  std::map<std::string, settings::FolderIdentity> ids_;
  std::map<std::string, std::string> links_;
  uint64_t lastId_ = 0;
};

}  // namespace slideshow::testing
