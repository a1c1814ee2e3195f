#include "platform/long_path_win.h"

#include <windows.h>

namespace platform {

std::wstring FileSystemPath(std::wstring_view path) {
  std::wstring given(path);
  if (given.size() < MAX_PATH || given.rfind(L"\\\\?\\", 0) == 0) return given;
  const DWORD needed = ::GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return given;
  std::wstring full(needed, L'\0');
  full.resize(::GetFullPathNameW(given.c_str(), needed, full.data(), nullptr));
  if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') return L"\\\\?\\" + full;
  if (full.rfind(L"\\\\", 0) == 0 && full.rfind(L"\\\\.\\", 0) != 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return full;
}

}  // namespace platform
