#pragma once
// The list of a library show: a folder's pictures without the documented
// scan's limit (its whole tree, or the folder alone when shuffled), or the
// registered list shuffled; in the order found, or shuffled without repeats.
// The list grows while the walk streams it in; the position moves over
// what is there.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

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
  LibraryList(const LibrarySource& source, std::optional<ShufflePlace> kept, uint64_t freshSeed);
  LibraryList(const LibraryList&) = delete;
  LibraryList& operator=(const LibraryList&) = delete;

  const LibrarySource& Source() const { return source_; }
  // False once the list is full: later pictures are not taken.
  bool Append(const PictureCatalog& found);
  bool Empty() const { return catalog_.Empty(); }
  size_t Size() const { return catalog_.Size(); }
  // The path `ahead` places after the current picture; the list must not be
  // empty.
  std::string PathAhead(size_t ahead);
  void Advance();
  // Where the shuffle stands once the pictures up to `shownAhead` places
  // after the current one are shown; nothing for a list in the order found.
  std::optional<ShufflePlace> Place(size_t shownAhead) const;

 private:
  const LibrarySource source_;
  PictureCatalog catalog_;
  std::unique_ptr<ShuffleOrder> shuffle_;
  size_t position_ = 0;  // in the order found
};

}  // namespace slideshow
