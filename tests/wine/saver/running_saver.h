#pragma once
// A full-screen saver started for a test, with its window found, and the
// bounded waits the tests use on it.
#include <windows.h>

#include <optional>

#include "tests/wine/driver/saver_process.h"

namespace saver_test {

// Generous for a Wine start; a healthy run takes well under a second.
inline constexpr DWORD kStartTimeoutMs = 15000;
inline constexpr DWORD kExitTimeoutMs = 10000;
// How long a saver must stay alive to count as having ignored something.
inline constexpr DWORD kStaysRunningMs = 800;

// Starts "/s" over runnable settings and waits for its visible window.
class RunningSaver {
 public:
  RunningSaver();
  driver::SaverProcess& Process() { return *process_; }
  HWND Window() const { return window_; }
  // True when the saver is still running after kStaysRunningMs.
  bool StaysRunning() const;
  // True when it ended with exit code 0 within kExitTimeoutMs.
  bool EndsNormally() const;

 private:
  std::optional<driver::SaverProcess> process_;
  HWND window_ = nullptr;
};

bool StaysRunning(const driver::SaverProcess& process);
bool EndsNormally(const driver::SaverProcess& process);

}  // namespace saver_test
