#include "picker/folder_system_win.h"

#include <algorithm>

#include "picker/folder_path.h"
#include "picker/system_text_win.h"
#include "platform/handles_win.h"
#include "platform/long_path_win.h"
#include "platform/utf16.h"

namespace picker {
namespace {

bool LessIgnoringCase(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()), TRUE) ==
         CSTR_LESS_THAN;
}

// Lists the sub-folders of a folder into `names` (when given); the error of
// the search when the folder cannot be listed at all.
DWORD FindSubfolders(const std::string& folder, std::vector<std::wstring>* names) {
  WIN32_FIND_DATAW found;
  const std::wstring pattern = platform::FileSystemPath(platform::WideFromUtf8(JoinPath(folder, "*")));
  const platform::UniqueFindHandle search(
      ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchLimitToDirectories,
                         nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!search) {
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
  }
  if (!names) return ERROR_SUCCESS;
  do {
    const std::wstring name = found.cFileName;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..")
      names->push_back(name);
  } while (::FindNextFileW(search.get(), &found));
  std::sort(names->begin(), names->end(), LessIgnoringCase);
  return ERROR_SUCCESS;
}

}  // namespace

std::string Win32FolderSystem::FullPath(const std::string& path) const {
  const std::wstring given = platform::WideFromUtf8(path);
  const DWORD needed = ::GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return {};
  std::wstring full(needed, L'\0');
  full.resize(::GetFullPathNameW(given.c_str(), needed, full.data(), nullptr));
  return ListedFolder(platform::Utf8FromWide(full));
}

bool Win32FolderSystem::SameFolder(const std::string& a, const std::string& b) const {
  const std::wstring wideA = platform::WideFromUtf8(a), wideB = platform::WideFromUtf8(b);
  return ::CompareStringOrdinal(wideA.c_str(), int(wideA.size()), wideB.c_str(), int(wideB.size()),
                                TRUE) == CSTR_EQUAL;
}

// Opened for listing, not listed: a listing waits for every entry of a large
// folder, and the list makes its own afterwards.
bool Win32FolderSystem::IsListableFolder(const std::string& folder) const {
  const std::wstring system = platform::FileSystemPath(platform::WideFromUtf8(folder));
  const DWORD attributes = ::GetFileAttributesW(system.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  const HANDLE opened = ::CreateFileW(
      system.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return false;
  const platform::UniqueKernelHandle owner(opened);
  return true;
}

DriveChange Win32FolderSystem::ProbeDrive(char driveLetter) const {
  const DWORD error = FindSubfolders(DriveRoot(driveLetter), nullptr);
  if (error == ERROR_SUCCESS) return {};
  if (error == ERROR_NOT_READY) return {DriveChange::Kind::NotReady, {}};
  return {DriveChange::Kind::Failed, SystemErrorText(error)};
}

std::vector<std::wstring> ListSubfolders(const std::string& folder) {
  std::vector<std::wstring> names;
  FindSubfolders(folder, &names);
  return names;
}

}  // namespace picker
