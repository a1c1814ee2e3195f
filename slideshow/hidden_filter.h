#pragma once
// The photos hidden for good, in memory, as every source of the show asks
// about them: a walk asks for each picture it finds, so a question costs a
// hash over the folder (once per folder) and the name and one bit of a
// table small enough to stay in the cache; only when the bit is set is the
// hash looked up, and the folded texts under it compared.
// Paths are compared as Windows compares file names.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace slideshow {

class HiddenFilter {
 public:
  HiddenFilter() = default;
  explicit HiddenFilter(const std::vector<std::string>& paths);

  void Add(std::string_view path);
  bool Empty() const { return byHash_.empty(); }
  bool Contains(std::string_view path) const;

  // For the pictures of one folder: the folder's part of the hash and of the
  // folded path, taken once, then each name against it.
  struct Folder {
    uint64_t hash = 0;
    std::string folded;  // with the separator after it
  };
  Folder FolderOf(std::string_view folder) const;
  bool Contains(const Folder& folder, std::string_view name) const;

 private:
  bool MayHold(uint64_t hash) const;
  void Mark(uint64_t hash);

  std::vector<uint64_t> bits_;  // one bit per slot of the hashes' top bits
  int slotBits_ = 0;
  bool Holds(uint64_t hash, std::string_view foldedFolder, std::string_view foldedName) const;

  // Each photo's folded path under its hash, once.
  std::unordered_multimap<uint64_t, std::string> byHash_;
};

}  // namespace slideshow
