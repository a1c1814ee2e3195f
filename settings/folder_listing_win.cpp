#include "settings/folder_listing_win.h"

#include <windows.h>

#include <cstring>

#include "platform/handles_win.h"
#include "platform/long_path_win.h"
#include "platform/utf16.h"

// Older MinGW headers lack the cloud-placeholder attributes.
#ifndef FILE_ATTRIBUTE_RECALL_ON_OPEN
#define FILE_ATTRIBUTE_RECALL_ON_OPEN 0x00040000
#endif
#ifndef FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS
#define FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS 0x00400000
#endif

namespace settings {
namespace {

constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
constexpr DWORD kNotLocal =
    FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS | FILE_ATTRIBUTE_RECALL_ON_OPEN | FILE_ATTRIBUTE_OFFLINE;

bool IsDotOrDotDot(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

// For file systems without 128-bit IDs: the 32-bit volume serial and the
// 64-bit file index.
std::optional<FolderIdentity> IdentifyByIndex(HANDLE folder) {
  BY_HANDLE_FILE_INFORMATION information{};
  if (!::GetFileInformationByHandle(folder, &information)) return std::nullopt;
  return FolderIdentity{information.dwVolumeSerialNumber, 0,
                        (uint64_t(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

}  // namespace

void Win32FolderListing::List(const std::string& folder, const OnEntry& onEntry) {
  WIN32_FIND_DATAW found{};
  const std::wstring pattern = platform::FileSystemPath(platform::WideFromUtf8(folder + "\\*"));
  const platform::UniqueFindHandle search(::FindFirstFileExW(
      pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!search) return;
  FolderEntry entry;
  do {
    if (IsDotOrDotDot(found.cFileName)) continue;
    entry.name = platform::Utf8FromWide(found.cFileName);
    entry.isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.hidden = (found.dwFileAttributes & kHidden) != 0;
    entry.notLocal = (found.dwFileAttributes & kNotLocal) != 0;
    if (!onEntry(entry)) return;
  } while (::FindNextFileW(search.get(), &found));
}

std::optional<FolderIdentity> Win32FolderListing::Identify(const std::string& folder) {
  const std::wstring path = platform::FileSystemPath(platform::WideFromUtf8(folder));
  const platform::UniqueFile opened(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!opened) return std::nullopt;
  FILE_ID_INFO information{};
  if (!::GetFileInformationByHandleEx(opened.get(), FileIdInfo, &information, sizeof information))
    return IdentifyByIndex(opened.get());
  FolderIdentity identity{information.VolumeSerialNumber, 0, 0};
  std::memcpy(&identity.fileLow, information.FileId.Identifier, sizeof identity.fileLow);
  std::memcpy(&identity.fileHigh, information.FileId.Identifier + sizeof identity.fileLow, sizeof identity.fileHigh);
  return identity;
}

}  // namespace settings
