#include "tests/wine/driver/folder_tree.h"

#include <windows.h>

#include "platform/long_path_win.h"

namespace driver {
namespace {

// A read-only file refuses to be deleted until it is writable again.
void RemoveFile(const std::wstring& path, DWORD attributes) {
  const std::wstring name = platform::FileSystemPath(path);
  if (attributes & FILE_ATTRIBUTE_READONLY) ::SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileW(name.c_str());
}

// A link or a junction goes itself, never what it points at: a link back up
// the tree would otherwise lead the removal round a loop.
void RemoveLink(const std::wstring& path, DWORD attributes) {
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) ::RemoveDirectoryW(platform::FileSystemPath(path).c_str());
  else RemoveFile(path, attributes);
}

}  // namespace

void RemoveFolderTree(const std::wstring& folder) {
  if (folder.size() < 4 || folder[1] != L':' || folder[2] != L'\\') return;
  WIN32_FIND_DATAW entry{};
  const HANDLE search = ::FindFirstFileW(platform::FileSystemPath(folder + L"\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      const DWORD attributes = entry.dwFileAttributes;
      if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) RemoveLink(path, attributes);
      else if (attributes & FILE_ATTRIBUTE_DIRECTORY) RemoveFolderTree(path);
      else RemoveFile(path, attributes);
    } while (::FindNextFileW(search, &entry));
    ::FindClose(search);
  }
  ::RemoveDirectoryW(platform::FileSystemPath(folder).c_str());
}

}  // namespace driver
