#include "slideshow/monitor_shows.h"

#include <algorithm>

namespace slideshow {

void MonitorShows::Step(int64_t now) {
  primary_.Step(now);
  for (SaverEngine* follower : followers_) follower->Step(now);
}

void MonitorShows::Steer(KeyCommand command) {
  primary_.Steer(command);
  for (SaverEngine* follower : followers_) follower->Steer(command);
}

std::optional<int64_t> MonitorShows::NextWake() const {
  std::optional<int64_t> wake = primary_.NextWake();
  for (const SaverEngine* follower : followers_) {
    const std::optional<int64_t> own = follower->NextWake();
    if (own && (!wake || *own < *wake)) wake = own;
  }
  return wake;
}

}  // namespace slideshow
