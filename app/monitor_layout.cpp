#include "app/monitor_layout.h"

#include <algorithm>

namespace app {
namespace {

bool Holds(const std::vector<slideshow::Rect>& areas, const slideshow::Rect& area) {
  return std::find(areas.begin(), areas.end(), area) != areas.end();
}

}  // namespace

LayoutChange CompareLayouts(const MonitorLayout& covered, const MonitorLayout& now) {
  LayoutChange change;
  change.refitPrimary = covered.primary != now.primary;
  for (const slideshow::Rect& area : covered.others)
    if (!Holds(now.others, area)) change.closed.push_back(area);
  for (const slideshow::Rect& area : now.others)
    if (!Holds(covered.others, area) && !Holds(change.opened, area)) change.opened.push_back(area);
  return change;
}

}  // namespace app
