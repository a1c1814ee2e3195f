#pragma once
// The monitors' layout as the saver covers it, and what a new layout asks
// of the windows: the primary's window refitted when the primary screen
// changed its size or place, a window closed for every other monitor that
// went, one opened for every monitor that came. A monitor that stayed where
// it was keeps its window and its show.
#include <cstdint>
#include <vector>

#include "slideshow/rect.h"

namespace app {

struct MonitorLayout {
  slideshow::Rect primary;
  std::vector<slideshow::Rect> others;  // in the order the system lists them
  friend bool operator==(const MonitorLayout&, const MonitorLayout&) = default;
};

struct LayoutChange {
  bool refitPrimary = false;
  std::vector<slideshow::Rect> closed;  // other monitors that went
  std::vector<slideshow::Rect> opened;  // other monitors that came
  bool Empty() const { return !refitPrimary && closed.empty() && opened.empty(); }
};

LayoutChange CompareLayouts(const MonitorLayout& covered, const MonitorLayout& now);

}  // namespace app
