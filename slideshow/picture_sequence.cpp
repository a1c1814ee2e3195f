#include "slideshow/picture_sequence.h"

#include <algorithm>
#include <utility>

namespace slideshow {

PictureSequence::PictureSequence(const LibrarySource& source, std::optional<ShufflePlace> kept,
                                 uint64_t freshSeed, HiddenFilter hidden)
    : hidden_(std::move(hidden)), list_(source, kept, freshSeed, &hidden_) {}

uint32_t PictureSequence::IndexAhead(size_t ahead) {
  if (ahead < back_) return past_[past_.size() - back_ + ahead];
  return list_.IndexAhead(ahead - back_);
}

std::string PictureSequence::PathAhead(size_t ahead) {
  if (Empty()) return {};
  return list_.PathOf(IndexAhead(ahead));
}

void PictureSequence::Switch() {
  if (!paused_) Next();
}

void PictureSequence::Next() {
  if (back_ > 0) {
    --back_;
    return;
  }
  if (Empty()) return;
  past_.push_back(list_.IndexAhead(0));
  if (past_.size() > kHistorySlides) past_.pop_front();
  list_.Advance();
  ++newSlides_;
}

bool PictureSequence::Back() {
  if (back_ >= past_.size()) return false;
  ++back_;
  return true;
}

// A slide of the history at or after the current one that leaves it brings
// the current one a step nearer the newest pick; one before it changes
// nothing about where the viewer stands.
void PictureSequence::Hide(const std::string& path) {
  hidden_.Add(path);
  const std::vector<uint32_t> gone = list_.Hide(path);
  size_t current = past_.size() - back_;
  for (size_t at = 0; at < past_.size();) {
    if (std::find(gone.begin(), gone.end(), past_[at]) == gone.end()) {
      ++at;
      continue;
    }
    past_.erase(past_.begin() + std::ptrdiff_t(at));
    if (at < current)
      --current;
    else
      --back_;
  }
}

std::optional<ShufflePlace> PictureSequence::Place(size_t shownAhead) const {
  return list_.Place(std::max(shownAhead, back_) - back_);
}

}  // namespace slideshow
