#pragma once
// The engines of every monitor, stepped together from one wake of the loop:
// the primary screen's engine first, since its switch moves the picture
// supply's position on, which every other monitor's show follows in the same
// step (or as soon as its picture has been read), so all monitors change
// together every switchSeconds. Each engine still presents at its own pace;
// with one clock and one refresh rate they present in the same wakes.
#include <cstdint>
#include <optional>
#include <vector>

#include "slideshow/saver_engine.h"

namespace slideshow {

class MonitorShows {
 public:
  explicit MonitorShows(SaverEngine& primary) : primary_(primary) {}
  // An engine that follows the primary's switches; it outlives this object.
  void AddFollower(SaverEngine& engine) { followers_.push_back(&engine); }
  void RemoveFollowers() { followers_.clear(); }

  void Step(int64_t now);
  // The viewer's key to every engine, the primary's first, since its show
  // moves the sequence the others follow.
  void Steer(KeyCommand command);
  // The earliest wake of any engine.
  std::optional<int64_t> NextWake() const;

 private:
  SaverEngine& primary_;
  std::vector<SaverEngine*> followers_;
};

}  // namespace slideshow
