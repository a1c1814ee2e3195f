#include "tests/wine/saver/running_saver.h"

#include <stdexcept>

#include "tests/wine/driver/settings_registry.h"
#include "tests/wine/driver/window_search.h"

namespace saver_test {

RunningSaver::RunningSaver() {
  driver::WriteRunnableSettings();
  process_.emplace(L"/s");
  window_ = driver::WaitForVisibleWindow(process_->Id(), driver::kSaverClass, kStartTimeoutMs);
  if (!window_) throw std::runtime_error("the saver window did not appear");
}

bool RunningSaver::StaysRunning() const { return saver_test::StaysRunning(*process_); }

bool RunningSaver::EndsNormally() const { return saver_test::EndsNormally(*process_); }

bool StaysRunning(const driver::SaverProcess& process) {
  return !process.WaitForExit(kStaysRunningMs);
}

bool EndsNormally(const driver::SaverProcess& process) {
  return process.WaitForExit(kExitTimeoutMs) && process.ExitCode() == 0u;
}

}  // namespace saver_test
