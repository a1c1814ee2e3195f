#include "slideshow/shuffle_order.h"

#include <algorithm>
#include <string>

namespace slideshow {
namespace {

// The old round's last pictures never open the new one: at least this many,
// or as many as are shown at once if that is more, and never more than half
// the pictures.
constexpr size_t kRoundSeam = 8;
constexpr size_t kMostLastPicks = 64;

uint64_t Mix(uint64_t x) {
  x ^= x >> 30;
  x *= 0xbf58476d1ce4e5b9ULL;
  x ^= x >> 27;
  x *= 0x94d049bb133111ebULL;
  return x ^ (x >> 31);
}

}  // namespace

uint64_t HashText(std::string_view text, uint64_t hash) {
  for (const char c : text) hash = (hash ^ uint8_t(c)) * 0x100000001b3ULL;
  return hash;
}

ShuffleOrder::ShuffleOrder(const PictureCatalog& catalog, uint64_t source,
                           std::optional<ShufflePlace> kept, uint64_t freshSeed)
    : catalog_(catalog), source_(source), seed_(freshSeed) {
  if (kept && kept->source == source) {
    seed_ = kept->seed;
    keptUpTo_ = kept->shownUpTo;
  }
  passed_ = {source_, seed_, keptUpTo_};
  Grow();
}

// Rank 0 stands for "none shown", so no picture has it. The path's hash is
// taken in its parts, so a new round ranks a large library without making
// its paths.
uint64_t ShuffleOrder::RankOf(uint32_t index) const {
  const uint64_t path = HashText(catalog_.NameAt(index), HashText("\\", HashText(catalog_.FolderAt(index))));
  return std::max<uint64_t>(Mix(seed_ ^ path), 1);
}

void ShuffleOrder::Grow() {
  for (; known_ < catalog_.Size(); ++known_) {
    const uint32_t index = uint32_t(known_);
    if (Hidden(index)) continue;
    const uint64_t rank = RankOf(index);
    if (rank > keptUpTo_) waiting_.push({rank, index});
  }
}

// A pick already made is taken back, so the pictures after it move up; one
// still waiting is passed over when its turn comes.
void ShuffleOrder::Hide(uint32_t index) {
  if (hidden_.size() <= index) hidden_.resize(size_t(index) + 1, false);
  hidden_[index] = true;
  std::erase_if(picked_, [index](const Picked& picked) { return picked.index == index; });
}

uint32_t ShuffleOrder::At(size_t ahead) {
  widest_ = std::max(widest_, std::min(ahead + 1, kMostLastPicks));
  while (picked_.size() <= ahead) picked_.push_back(Pick());
  return picked_[ahead].index;
}

void ShuffleOrder::Advance() {
  if (picked_.empty()) At(0);
  Count(passed_, picked_.front());
  picked_.pop_front();
}

// A picture of a later round than the place's begins the place anew.
void ShuffleOrder::Count(ShufflePlace& place, const Picked& picked) {
  if (picked.seed != place.seed) place = {place.source, picked.seed, 0};
  place.shownUpTo = std::max(place.shownUpTo, picked.rank);
}

ShufflePlace ShuffleOrder::Place(size_t shownAhead) const {
  ShufflePlace place = passed_;
  for (size_t i = 0; i <= shownAhead && i < picked_.size(); ++i) Count(place, picked_[i]);
  return place;
}

ShuffleOrder::Picked ShuffleOrder::Pick() {
  if (holdPicks_ > 0 && --holdPicks_ == 0) ReleaseHeldBack();
  Ranked next;
  do {
    if (waiting_.empty()) BeginRound();
    // Every other picture is hidden: the held-back ones come back at once.
    if (waiting_.empty()) ReleaseHeldBack();
    next = waiting_.top();
    waiting_.pop();
  } while (Hidden(next.index));
  lastPicks_.push_back(next.index);
  if (lastPicks_.size() > kMostLastPicks) lastPicks_.pop_front();
  return {seed_, next.rank, next.index};
}

void ShuffleOrder::ReleaseHeldBack() {
  for (const uint32_t index : heldBack_) waiting_.push({RankOf(index), index});
  heldBack_.clear();
  holdPicks_ = 0;
}

// Every picture is ranked anew, those of the old round's end held back for
// the new round's first picks; held-back pictures that have not come back
// yet (a round shorter than the seam) are simply part of the new round.
void ShuffleOrder::BeginRound() {
  seed_ = Mix(seed_ + 0x9e3779b97f4a7c15ULL);
  keptUpTo_ = 0;
  const size_t seam =
      std::min({catalog_.Size() / 2, std::max(kRoundSeam, widest_), lastPicks_.size()});
  std::vector<bool> held(catalog_.Size(), false);
  heldBack_.assign(lastPicks_.end() - std::ptrdiff_t(seam), lastPicks_.end());
  for (const uint32_t index : heldBack_) held[index] = true;
  holdPicks_ = heldBack_.empty() ? 0 : seam;
  lastPicks_.clear();
  std::vector<Ranked> all;
  all.reserve(catalog_.Size());
  for (uint32_t index = 0; index < catalog_.Size(); ++index)
    if (!held[index] && !Hidden(index)) all.push_back({RankOf(index), index});
  waiting_ = std::priority_queue<Ranked, std::vector<Ranked>>(std::less<Ranked>(), std::move(all));
}

}  // namespace slideshow
