#pragma once
// The pictures of a library, kept compactly enough for hundreds of
// thousands: each folder's path once, and per picture the folder's number and
// its name in one shared buffer of names. A picture's number is its place in
// the order it was added. Texts are UTF-8.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace slideshow {

class PictureCatalog {
 public:
  // No catalog grows past this many pictures: later ones are not taken.
  static constexpr size_t kMaxPictures = 4'000'000;

  // A folder's number for later Adds. `path` comes without a trailing
  // backslash.
  uint32_t AddFolder(std::string path);
  // A folder number for pictures that have none: their names are whole
  // paths (a registered entry without a backslash, an empty entry), given
  // back as they came.
  uint32_t AddNoFolder();
  // False when the catalog is full.
  bool Add(uint32_t folder, std::string_view name);
  // Every picture of `more` after this one's, its folders with them.
  void Append(const PictureCatalog& more);
  void Clear();

  size_t Size() const { return folderOf_.size(); }
  bool Empty() const { return folderOf_.empty(); }
  // The full path of picture `index` (below Size()): its folder, a
  // backslash and its name.
  std::string PathAt(size_t index) const;
  std::string_view FolderAt(size_t index) const { return folders_[folderOf_[index]]; }
  std::string_view NameAt(size_t index) const;
  // The bytes the catalog holds, its paths' text included.
  size_t MemoryBytes() const;

 private:
  std::vector<std::string> folders_;
  std::vector<bool> noFolder_;  // by folder number
  std::vector<uint32_t> folderOf_;
  std::vector<uint32_t> nameEnd_;  // where each name ends in names_
  std::string names_;
};

}  // namespace slideshow
