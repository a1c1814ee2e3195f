#include "slideshow/library_list.h"

namespace slideshow {
namespace {

// Each text ends with a byte no UTF-8 text holds, so "ab","c" differs from
// "a","bc".
uint64_t HashInto(uint64_t hash, const std::string& text) {
  return HashText("\xff", HashText(text, hash));
}

// A kept round applies to the same source only.
uint64_t SourceId(const LibrarySource& source) {
  uint64_t hash = HashInto(HashText(""),
                           source.registered ? "registered" : source.wholeTree ? "tree" : "folder");
  if (!source.registered) return HashInto(hash, source.folder);
  for (const std::string& path : source.registeredPaths) hash = HashInto(hash, path);
  return hash;
}

}  // namespace

LibraryList::LibraryList(const LibrarySource& source, std::optional<ShufflePlace> kept,
                         uint64_t freshSeed, const HiddenFilter* hidden)
    : source_(source), filter_(hidden) {
  if (source.shuffled)
    shuffle_ = std::make_unique<ShuffleOrder>(catalog_, SourceId(source), kept, freshSeed);
}

bool LibraryList::Append(const PictureCatalog& found) {
  const size_t before = catalog_.Size();
  catalog_.Append(found);
  if (filter_) HideFiltered(*filter_, before);
  if (shuffle_) shuffle_->Grow();
  return catalog_.Size() - before == found.Size();
}

// The folder's part of the hash is taken once for the pictures of a folder,
// which come together.
std::vector<uint32_t> LibraryList::HideFiltered(const HiddenFilter& filter, size_t from) {
  std::vector<uint32_t> hidden;
  if (filter.Empty()) return hidden;
  std::string_view folder;
  uint64_t folderHash = 0;
  for (size_t index = from; index < catalog_.Size(); ++index) {
    if (Hidden(index)) continue;
    const std::string_view folderOf = catalog_.FolderAt(index);
    if (folderOf.data() != folder.data()) {
      folder = folderOf;
      folderHash = filter.FolderHash(folder);
    }
    if (!filter.Contains(folderHash, folder, catalog_.NameAt(index))) continue;
    MarkHidden(uint32_t(index));
    hidden.push_back(uint32_t(index));
  }
  if (!shuffle_) position_ = Visible(position_);
  return hidden;
}

std::vector<uint32_t> LibraryList::Hide(std::string_view path) {
  HiddenFilter one;
  one.Add(path);
  return HideFiltered(one, 0);
}

void LibraryList::MarkHidden(uint32_t index) {
  if (hidden_.size() <= index) hidden_.resize(catalog_.Size(), false);
  hidden_[index] = true;
  ++hiddenCount_;
  if (shuffle_) shuffle_->Hide(index);
}

// The first picture not hidden from `from` on, going round; 0 when there is
// none.
size_t LibraryList::Visible(size_t from) const {
  const size_t size = catalog_.Size();
  if (size == hiddenCount_) return 0;
  for (size_t index = from % size;; index = (index + 1) % size)
    if (!Hidden(index)) return index;
}

uint32_t LibraryList::IndexAhead(size_t ahead) {
  if (shuffle_) return shuffle_->At(ahead);
  if (hiddenCount_ == 0) return uint32_t((position_ + ahead) % catalog_.Size());
  size_t index = position_;
  for (size_t step = 0; step < ahead; ++step) index = Visible(index + 1);
  return uint32_t(index);
}

void LibraryList::Advance() {
  if (Empty()) return;
  if (shuffle_)
    shuffle_->Advance();
  else
    position_ = Visible(position_ + 1);
}

void LibraryList::StartAt(size_t index) {
  if (!shuffle_ && !Empty()) position_ = Visible(index);
}

std::optional<ShufflePlace> LibraryList::Place(size_t shownAhead) const {
  if (!shuffle_) return std::nullopt;
  return shuffle_->Place(shownAhead);
}

}  // namespace slideshow
