#include "platform/timer_win.h"

#include "platform/form_win.h"

namespace platform {

Timer::Timer(Form& owner, std::function<void()> onTimer)
    : owner_(owner), onTimer_(std::move(onTimer)) {
  owner_.AttachTimer(this);
}

Timer::~Timer() {
  enabled_ = false;
  Restart();
  owner_.DetachTimer(this);
}

void Timer::SetInterval(uint32_t milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  Restart();
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Restart();
}

// SetTimer on an existing id replaces the countdown, so a restart needs no
// KillTimer first.
void Timer::Restart() {
  const HWND window = owner_.Handle();
  if (!window) return;
  if (enabled_ && interval_ > 0) {
    ::SetTimer(window, Id(), interval_, nullptr);
  } else {
    ::KillTimer(window, Id());
  }
}

// A tick already queued when the timer was switched off is dropped.
void Timer::Fire() {
  if (enabled_ && interval_ > 0 && onTimer_) onTimer_();
}

}  // namespace platform
