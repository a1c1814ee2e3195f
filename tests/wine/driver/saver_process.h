#pragma once
// TolvexShow.scr as a child process of the test: started from the folder of
// the test program itself, observed with bounded waits, and never left behind
// (the destructor ends a saver that is still running, so one failed test
// cannot hold the single-instance lock for the next).
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace driver {

// The full path of TolvexShow.scr beside the running test program.
std::wstring SaverPath();

class SaverProcess {
 public:
  // Starts the saver with the given arguments (the text after the program
  // name, e.g. L"/p 1234"). Throws std::runtime_error when it cannot start.
  explicit SaverProcess(std::wstring_view arguments);
  SaverProcess(const SaverProcess&) = delete;
  SaverProcess& operator=(const SaverProcess&) = delete;
  ~SaverProcess();

  DWORD Id() const { return processId_; }
  bool Running() const;
  // True when the process has ended within timeoutMs.
  bool WaitForExit(DWORD timeoutMs) const;
  // The exit code once the process has ended.
  std::optional<DWORD> ExitCode() const;

 private:
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
};

}  // namespace driver
