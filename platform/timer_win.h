#pragma once
// A timer of a form: an interval in milliseconds and an on/off state, ticking
// on the form's thread through the message loop. The rules the saver relies
// on: setting the value it already has changes nothing; a real change stops
// the timer and, if it is on, starts its countdown afresh; an interval of 0
// never fires. The implementation behind this interface (window-message
// timers today) can be replaced without touching its users.
#include <windows.h>

#include <cstdint>
#include <functional>

namespace platform {

class Form;

class Timer {
 public:
  Timer(Form& owner, std::function<void()> onTimer);
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  ~Timer();

  uint32_t Interval() const { return interval_; }
  bool Enabled() const { return enabled_; }
  void SetInterval(uint32_t milliseconds);
  void SetEnabled(bool enabled);

 private:
  friend class Form;
  UINT_PTR Id() const { return reinterpret_cast<UINT_PTR>(this); }
  void Restart();
  void Fire();

  Form& owner_;
  std::function<void()> onTimer_;
  uint32_t interval_ = 0;
  bool enabled_ = false;
};

}  // namespace platform
