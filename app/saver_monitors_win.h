#pragma once
// Saver mode on a desktop of several monitors: beside TForm1 on the primary
// screen, a saver window for every other monitor, each with its own engine
// fitted to its monitor and starting one picture further along than the one
// before. One wake of the loop steps them all (MonitorShows), so they switch
// together and present in the same refresh. The windows are shown without
// activation, before the loop shows the primary, so every monitor is covered
// from the first frame; they go when this object goes, before TForm1.
#include <memory>
#include <optional>
#include <vector>

#include "app/saver_window_win.h"
#include "platform/application_win.h"
#include "slideshow/monitor_shows.h"

namespace app {

class SaverMonitors : public platform::LoopClockwork {
 public:
  explicit SaverMonitors(TForm1& primary);
  ~SaverMonitors() override;
  SaverMonitors(const SaverMonitors&) = delete;
  SaverMonitors& operator=(const SaverMonitors&) = delete;

  void Step() override;
  std::optional<int64_t> NextWake() const override { return shows_.NextWake(); }

 private:
  slideshow::MonitorShows shows_;
  std::vector<std::unique_ptr<TForm1>> others_;
};

}  // namespace app
