#pragma once
// The photos hidden for good, in memory, as every source of the show asks
// about them: a walk asks for each picture it finds, so a question costs a
// hash over the folder (once per folder) and the name and one bit of a
// table small enough to stay in the cache; only when the bit is set is the
// hash looked up, and only when the hash is there are the texts compared.
// Paths are compared as Windows compares file names.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace slideshow {

class HiddenFilter {
 public:
  HiddenFilter() = default;
  explicit HiddenFilter(const std::vector<std::string>& paths);

  void Add(std::string_view path);
  bool Empty() const { return folded_.empty(); }
  bool Contains(std::string_view path) const;

  // For the pictures of one folder: the folder's part of the hash, then each
  // name against it.
  uint64_t FolderHash(std::string_view folder) const;
  bool Contains(uint64_t folderHash, std::string_view folder, std::string_view name) const;

 private:
  bool MayHold(uint64_t hash) const;
  void Mark(uint64_t hash);

  std::vector<uint64_t> bits_;  // one bit per slot of the hashes' top bits
  int slotBits_ = 0;
  std::unordered_set<uint64_t> hashes_;
  std::unordered_set<std::string> folded_;
};

}  // namespace slideshow
