#pragma once
// The saver window, full screen in this process, noting when each frame
// reached the window and when each switch began and ended (the span of the
// loop's wake in which the show switched).
#include <cstdint>
#include <vector>

#include "app/saver_window_win.h"

namespace timing_test {

struct SwitchSpan {
  int64_t beginNs = 0;
  int64_t endNs = 0;
};

class TimedSaver : public app::TForm1 {
 public:
  TimedSaver();
  const std::vector<int64_t>& Presents() const { return presents_; }
  const std::vector<SwitchSpan>& Switches() const { return switches_; }

  void PresentUpdate(const slideshow::WindowUpdate& update) override;
  void StretchBackBuffer() override;
  void Step() override;

 private:
  std::vector<int64_t> presents_;
  std::vector<SwitchSpan> switches_;
};

// Creates the application window once per process.
void InitializeApplicationOnce();

}  // namespace timing_test
