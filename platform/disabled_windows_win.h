#pragma once
// The program's other windows take no input while a dialog is modal: every
// visible, enabled window of the thread but the dialog is disabled for the
// guard's lifetime, and those still there are enabled again after it.
#include <windows.h>

#include <vector>

namespace platform {

class DisabledWindows {
 public:
  explicit DisabledWindows(HWND modal);
  DisabledWindows(const DisabledWindows&) = delete;
  DisabledWindows& operator=(const DisabledWindows&) = delete;
  ~DisabledWindows();

 private:
  HWND except_;
  std::vector<HWND> windows_;
};

}  // namespace platform
