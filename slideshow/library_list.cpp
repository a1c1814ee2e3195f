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
                         uint64_t freshSeed)
    : source_(source) {
  if (source.shuffled)
    shuffle_ = std::make_unique<ShuffleOrder>(catalog_, SourceId(source), kept, freshSeed);
}

bool LibraryList::Append(const PictureCatalog& found) {
  const size_t before = catalog_.Size();
  catalog_.Append(found);
  if (shuffle_) shuffle_->Grow();
  return catalog_.Size() - before == found.Size();
}

std::string LibraryList::PathAhead(size_t ahead) {
  if (shuffle_) return catalog_.PathAt(shuffle_->At(ahead));
  return catalog_.PathAt((position_ + ahead) % catalog_.Size());
}

void LibraryList::Advance() {
  if (catalog_.Empty()) return;
  if (shuffle_)
    shuffle_->Advance();
  else
    position_ = (position_ + 1) % catalog_.Size();
}

std::optional<ShufflePlace> LibraryList::Place(size_t shownAhead) const {
  if (!shuffle_) return std::nullopt;
  return shuffle_->Place(shownAhead);
}

}  // namespace slideshow
