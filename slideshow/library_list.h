#pragma once
// The list of a library show: a folder's pictures without the documented
// scan's limit (its whole tree, or the folder alone when shuffled), or the
// registered list shuffled; in the order found, or shuffled without repeats.
// The list grows while the walk streams it in; the position moves over
// what is there. A hidden picture is never shown: the filter is asked about
// each picture as it comes in, and a picture hidden while the list runs
// leaves it at once.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "slideshow/hidden_filter.h"
#include "slideshow/picture_catalog.h"
#include "slideshow/shuffle_order.h"

namespace slideshow {

// What a library shows; a change of any of it begins the list anew.
struct LibrarySource {
  bool registered = false;
  std::string folder;
  bool wholeTree = false;
  bool shuffled = false;
  std::vector<std::string> registeredPaths;
  friend bool operator==(const LibrarySource&, const LibrarySource&) = default;
};

class LibraryList {
 public:
  // A shuffled list goes on with `kept` when it is a round of this source.
  // The filter, if any, must outlive the list.
  LibraryList(const LibrarySource& source, std::optional<ShufflePlace> kept, uint64_t freshSeed,
              const HiddenFilter* hidden = nullptr);
  LibraryList(const LibraryList&) = delete;
  LibraryList& operator=(const LibraryList&) = delete;

  const LibrarySource& Source() const { return source_; }
  // False once the list is full: later pictures are not taken.
  bool Append(const PictureCatalog& found);
  // Empty and Size count the pictures not hidden.
  bool Empty() const { return Size() == 0; }
  size_t Size() const { return catalog_.Size() - hiddenCount_; }
  // The picture `ahead` places after the current one, by its number in the
  // catalog; the list must not be empty.
  uint32_t IndexAhead(size_t ahead);
  std::string PathAhead(size_t ahead) { return catalog_.PathAt(IndexAhead(ahead)); }
  std::string PathOf(uint32_t index) const { return catalog_.PathAt(index); }
  void Advance();
  // A list in the order found goes on from its picture `index` (the first
  // not hidden from there); a shuffled one takes no place but its own.
  void StartAt(size_t index);
  // Every picture of the list with this path (compared as file names are)
  // leaves it; the filter is the caller's to tell. Returns their numbers.
  std::vector<uint32_t> Hide(std::string_view path);
  // Where the shuffle stands once the pictures up to `shownAhead` places
  // after the current one are shown; nothing for a list in the order found.
  std::optional<ShufflePlace> Place(size_t shownAhead) const;

 private:
  std::vector<uint32_t> HideFiltered(const HiddenFilter& filter, size_t from);
  void MarkHidden(uint32_t index);
  bool Hidden(size_t index) const { return index < hidden_.size() && hidden_[index]; }
  size_t Visible(size_t from) const;

  const LibrarySource source_;
  const HiddenFilter* const filter_;
  PictureCatalog catalog_;
  std::unique_ptr<ShuffleOrder> shuffle_;
  size_t position_ = 0;  // in the order found, on a picture not hidden
  std::vector<bool> hidden_;  // by number; shorter when the last ones are not
  size_t hiddenCount_ = 0;
};

}  // namespace slideshow
