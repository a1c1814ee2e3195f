#pragma once
// Saver mode on a desktop of several monitors: beside TForm1 on the primary
// screen, a saver window for every other monitor, each with its own engine
// fitted to its monitor and showing one picture further along than the one
// before, all from the primary's picture supply. One wake of the loop steps
// them all (MonitorShows), so they switch together and present in the same
// refresh. The windows are shown without activation, before the loop shows
// the primary, so every monitor is covered from the first frame.
//
// The layout may change while the saver runs (a monitor that sleeps, a dock
// unplugged, a remote session): the windows are then laid out anew, a window
// for every monitor of the new layout, the primary's show going on where it
// was. Not every change is announced to the program, so besides the
// system's messages the layout is looked at every second.
//
// A key that steers the show, pressed in any of the windows, goes to every
// monitor's show; E ends the run to show the primary's photo in Explorer.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "app/monitor_layout.h"
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
  std::optional<int64_t> NextWake() const override;

 private:
  struct Other {
    slideshow::Rect area;
    std::unique_ptr<TForm1> form;
  };

  void LookAtLayout(int64_t now);
  void Open(const slideshow::Rect& area);
  int32_t FreeOffset() const;
  void FollowAll();
  void Listen(TForm1& form);
  void Steer(slideshow::KeyCommand command);

  TForm1& primary_;
  std::optional<slideshow::MonitorShows> shows_;
  std::vector<Other> others_;
  MonitorLayout covered_;
  int64_t lastLook_ = 0;
  bool lookSoon_ = false;
};

}  // namespace app
