#include "slideshow/monitor_shows.h"

#include <algorithm>

namespace slideshow {

void MonitorShows::Step(int64_t now) {
  const int64_t switchesBefore = primary_.Show().Switches();
  primary_.Step(now);
  const int64_t switched = primary_.Show().Switches() - switchesBefore;
  for (SaverEngine* follower : followers_) {
    for (int64_t i = 0; i < switched; ++i) follower->SwitchPicture();
    follower->Step(now);
  }
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
