#pragma once
// What the show shows, slide by slide, and how the viewer steers it: one list
// (the documented folder scan or registered list, fed in in their order and
// limit, or a library streamed in by its walk), the order over it (as found,
// or shuffled), the slides shown so far for going back, the filter of what
// is hidden, and whether the switching is paused.
//
// The history keeps the last kHistorySlides slides before the newest pick.
// Going back moves through it; going forward moves through it again before
// the order picks anew, and a slide seen again is not newly shown: the order
// and the shuffle's kept place stay where they were. Hiding takes a picture
// out of the list, the order and the history at once, and out of every list
// fed in later; the slide after it takes its place.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "slideshow/hidden_filter.h"
#include "slideshow/library_list.h"

namespace slideshow {

class PictureSequence {
 public:
  static constexpr size_t kHistorySlides = 200;

  PictureSequence(const LibrarySource& source, std::optional<ShufflePlace> kept, uint64_t freshSeed,
                  HiddenFilter hidden);
  PictureSequence(const PictureSequence&) = delete;
  PictureSequence& operator=(const PictureSequence&) = delete;

  const LibrarySource& Source() const { return list_.Source(); }
  void Append(const PictureCatalog& found) { list_.Append(found); }
  bool Empty() const { return list_.Empty(); }

  // The slide `ahead` places after the current one (0: the current one), as
  // another monitor shows it; empty for an empty sequence.
  std::string PathAhead(size_t ahead);
  // Its number in the list; the sequence must not be empty.
  uint32_t IndexAhead(size_t ahead);
  // Before the first move: the list in the order found begins at its
  // picture `index`.
  void StartAt(size_t index) { list_.StartAt(index); }
  // The switch timer's move: the next slide, unless the switching is paused.
  void Switch();
  // The viewer's moves, paused or not. Back is false at the oldest slide kept.
  void Next();
  bool Back();
  void Pause(bool paused) { paused_ = paused; }
  bool Paused() const { return paused_; }
  // The picture is not shown again in this run; storing it for later runs is
  // the caller's. The slide after it takes the current one's place.
  void Hide(const std::string& path);

  // How far back in the history the current slide is: 0 at the newest pick.
  size_t BackSteps() const { return back_; }
  // The slides newly shown: a slide seen again going forward is not counted.
  int64_t NewSlides() const { return newSlides_; }
  // Where the shuffle stands once the slides up to `shownAhead` after the
  // current one are shown; slides of the history count as shown already.
  std::optional<ShufflePlace> Place(size_t shownAhead) const;

 private:
  HiddenFilter hidden_;  // first: the list asks it
  LibraryList list_;
  std::deque<uint32_t> past_;  // the slides before the newest pick, oldest first
  size_t back_ = 0;            // the current slide is past_[past_.size() - back_], or the newest pick
  bool paused_ = false;
  int64_t newSlides_ = 0;
};

}  // namespace slideshow
