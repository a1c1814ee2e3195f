#include "slideshow/picture_catalog.h"

#include <limits>

namespace slideshow {

uint32_t PictureCatalog::AddFolder(std::string path) {
  folders_.push_back(std::move(path));
  noFolder_.push_back(false);
  return uint32_t(folders_.size() - 1);
}

uint32_t PictureCatalog::AddNoFolder() {
  const uint32_t folder = AddFolder({});
  noFolder_[folder] = true;
  return folder;
}

bool PictureCatalog::Add(uint32_t folder, std::string_view name) {
  if (Size() >= kMaxPictures || folder >= folders_.size()) return false;
  if (names_.size() + name.size() > std::numeric_limits<uint32_t>::max()) return false;
  names_.append(name);
  folderOf_.push_back(folder);
  nameEnd_.push_back(uint32_t(names_.size()));
  return true;
}

void PictureCatalog::Append(const PictureCatalog& more) {
  const uint32_t firstFolder = uint32_t(folders_.size());
  for (const std::string& folder : more.folders_) folders_.push_back(folder);
  noFolder_.insert(noFolder_.end(), more.noFolder_.begin(), more.noFolder_.end());
  for (size_t i = 0; i < more.Size(); ++i) {
    if (!Add(firstFolder + more.folderOf_[i], more.NameAt(i))) return;
  }
}

void PictureCatalog::Clear() { *this = PictureCatalog(); }

std::string PictureCatalog::PathAt(size_t index) const {
  if (noFolder_[folderOf_[index]]) return std::string(NameAt(index));
  std::string path(FolderAt(index));
  path += '\\';
  path += NameAt(index);
  return path;
}

std::string_view PictureCatalog::NameAt(size_t index) const {
  const size_t begin = index == 0 ? 0 : nameEnd_[index - 1];
  return std::string_view(names_).substr(begin, nameEnd_[index] - begin);
}

size_t PictureCatalog::MemoryBytes() const {
  size_t bytes = sizeof(*this) + folders_.capacity() * sizeof(std::string) +
                 folderOf_.capacity() * sizeof(uint32_t) + noFolder_.capacity() / 8 + nameEnd_.capacity() * sizeof(uint32_t) +
                 names_.capacity();
  for (const std::string& folder : folders_) bytes += folder.capacity();
  return bytes;
}

}  // namespace slideshow
