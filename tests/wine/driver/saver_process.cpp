#include "tests/wine/driver/saver_process.h"

#include <stdexcept>
#include <vector>

#include "tests/wine/driver/wait.h"

namespace driver {

namespace {
constexpr DWORD kCleanupTimeoutMs = 10000;
}

std::wstring SaverPath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
    if (n < buffer.size()) {
      std::wstring path(buffer.data(), n);
      return path.substr(0, path.find_last_of(L"\\/") + 1) + L"TolvexShow.scr";
    }
    buffer.resize(buffer.size() * 2);
  }
}

SaverProcess::SaverProcess(std::wstring_view arguments) {
  const std::wstring path = SaverPath();
  std::wstring commandLine = L"\"" + path + L"\"";
  if (!arguments.empty()) commandLine += L" " + std::wstring(arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
    throw std::runtime_error("TolvexShow.scr could not be started");
  }
  ::CloseHandle(info.hThread);
  process_ = info.hProcess;
  processId_ = info.dwProcessId;
}

SaverProcess::~SaverProcess() {
  if (Running()) ::TerminateProcess(process_, 99);
  WaitForExit(kCleanupTimeoutMs);
  ::CloseHandle(process_);
}

bool SaverProcess::Running() const {
  return ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool SaverProcess::WaitForExit(DWORD timeoutMs) const {
  return WaitUntil([this] { return !Running(); }, timeoutMs);
}

std::optional<DWORD> SaverProcess::ExitCode() const {
  if (Running()) return std::nullopt;
  DWORD code = 0;
  ::GetExitCodeProcess(process_, &code);
  return code;
}

}  // namespace driver
