#include "app/explore_photo_win.h"

#include <windows.h>

#include "platform/utf16.h"

namespace app {

void ShowPhotoInExplorer(const std::string& path) {
  std::wstring command = L"explorer.exe /select,\"" + platform::WideFromUtf8(path) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
    return;
  ::CloseHandle(started.hThread);
  ::CloseHandle(started.hProcess);
}

}  // namespace app
