#include "tests/wine/driver/folder_tree.h"

#include <windows.h>

#include "platform/long_path_win.h"

namespace driver {

void RemoveFolderTree(const std::wstring& folder) {
  if (folder.size() < 4 || folder[1] != L':' || folder[2] != L'\\') return;
  WIN32_FIND_DATAW entry{};
  const HANDLE search = ::FindFirstFileW(platform::FileSystemPath(folder + L"\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveFolderTree(path);
      else ::DeleteFileW(platform::FileSystemPath(path).c_str());
    } while (::FindNextFileW(search, &entry));
    ::FindClose(search);
  }
  ::RemoveDirectoryW(platform::FileSystemPath(folder).c_str());
}

}  // namespace driver
