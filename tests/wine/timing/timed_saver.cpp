#include "tests/wine/timing/timed_saver.h"

#include "app/preview_window_win.h"
#include "platform/application_win.h"
#include "tests/wine/timing/loop_runner.h"

namespace timing_test {

void InitializeApplicationOnce() {
  static const bool initialized = [] {
    platform::Application::Instance().Initialize(::GetModuleHandleW(nullptr));
    return true;
  }();
  (void)initialized;
}

TimedSaver::TimedSaver() {
  presents_.reserve(1 << 16);
  switches_.reserve(1 << 10);
}

void TimedSaver::PresentUpdate(const slideshow::WindowUpdate& update) {
  TForm1::PresentUpdate(update);
  presents_.push_back(NowNs());
}

void TimedSaver::StretchBackBuffer() {
  TForm1::StretchBackBuffer();
  presents_.push_back(NowNs());
}

void TimedSaver::Step() {
  const int64_t switchesBefore = Engine().Show().Switches();
  const int64_t beginNs = NowNs();
  TForm1::Step();
  if (Engine().Show().Switches() != switchesBefore) switches_.push_back({beginNs, NowNs()});
}

}  // namespace timing_test
