#pragma once
// A shuffled order without repeats over a catalog that may still grow. Each
// round gives every picture a rank from the round's seed and its path, and
// shows the pictures by rising rank: no picture comes twice in a round, and
// one found while the round runs joins it. When every picture has been shown
// a new round begins with a new seed, and none of the last pictures of the
// old round opens it.
//
// A hidden picture leaves the order at once, also when it is picked already.
//
// Where a round stands is only its source, its seed and the highest rank
// shown, so it is kept between runs in a few bytes: a run that goes on with
// it skips the pictures ranked at or below it until the next round.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <queue>
#include <string_view>
#include <vector>

#include "slideshow/picture_catalog.h"

namespace slideshow {

// FNV-1a over the text, going on from `hash`.
uint64_t HashText(std::string_view text, uint64_t hash = 0xcbf29ce484222325ULL);

struct ShufflePlace {
  uint64_t source = 0;     // which list the round shuffles (see the supply)
  uint64_t seed = 0;
  uint64_t shownUpTo = 0;  // the highest rank shown; 0: none yet
  friend bool operator==(const ShufflePlace&, const ShufflePlace&) = default;
};

class ShuffleOrder {
 public:
  // Goes on with `kept` when it is a round of `source`, else begins a round
  // seeded with `freshSeed`. The catalog must outlive the order.
  ShuffleOrder(const PictureCatalog& catalog, uint64_t source, std::optional<ShufflePlace> kept,
               uint64_t freshSeed);

  // Takes the pictures the catalog gained since the last call into the round.
  void Grow();
  // The picture is not shown again, in this round or any later one.
  void Hide(uint32_t index);
  // The picture `ahead` places after the current one (0: the current one).
  // The catalog must hold a picture that is not hidden.
  uint32_t At(size_t ahead);
  // The current picture moves one on.
  void Advance();
  // Where the round stands once the pictures up to `shownAhead` places
  // after the current one have been shown; those further on, read ahead
  // but not shown, are not counted.
  ShufflePlace Place(size_t shownAhead) const;

 private:
  struct Ranked {
    uint64_t rank = 0;
    uint32_t index = 0;
    // The lowest rank on top of the queue.
    friend bool operator<(const Ranked& a, const Ranked& b) {
      return a.rank != b.rank ? a.rank > b.rank : a.index > b.index;
    }
  };

  struct Picked {
    uint64_t seed = 0;  // of its round
    uint64_t rank = 0;
    uint32_t index = 0;
  };
  static void Count(ShufflePlace& place, const Picked& picked);

  uint64_t RankOf(uint32_t index) const;
  bool Hidden(uint32_t index) const { return index < hidden_.size() && hidden_[index]; }
  Picked Pick();
  void BeginRound();
  void ReleaseHeldBack();

  const PictureCatalog& catalog_;
  const uint64_t source_;
  uint64_t seed_;
  uint64_t keptUpTo_ = 0;  // ranks at or below it were shown in an earlier run
  ShufflePlace passed_;     // where the round stood before the current picture
  size_t known_ = 0;        // the catalog's pictures taken into rounds
  std::priority_queue<Ranked, std::vector<Ranked>> waiting_;
  std::deque<Picked> picked_;       // from the current picture on
  std::deque<uint32_t> lastPicks_;  // the round's latest picks, newest last
  std::vector<uint32_t> heldBack_;  // the old round's last picks, kept from the new round's start
  size_t holdPicks_ = 0;            // picks of the new round before they come back
  size_t widest_ = 1;               // the most pictures asked for at once
  std::vector<bool> hidden_;        // by index; shorter when the last ones are not
};

}  // namespace slideshow
