#include "settings/folder_listing_win.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <cstring>
#include <string_view>
#include <vector>

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
// Records of a few hundred entries per call.
constexpr size_t kRecordBytes = 64 * 1024;

platform::UniqueFile OpenFolder(const std::string& folder, DWORD access) {
  // "C:" alone names the drive's current folder, and "" no folder at all:
  // a drive's root, or the current drive's, is "C:\" or "\".
  const bool root = folder.empty() || folder.back() == ':';
  const std::wstring path = platform::FileSystemPath(platform::WideFromUtf8(root ? folder + "\\" : folder));
  return platform::UniqueFile(::CreateFileW(path.c_str(), access,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

bool IsDotOrDotDot(std::wstring_view name) { return name == L"." || name == L".."; }

void Describe(FolderEntry& entry, std::wstring_view name, DWORD attributes, std::wstring_view shortName) {
  entry.name = platform::Utf8FromWide(name);
  entry.isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  entry.hidden = (attributes & kHidden) != 0;
  entry.notLocal = (attributes & kNotLocal) != 0;
  entry.shortName = platform::Utf8FromWide(shortName);
}

// For file systems without 128-bit IDs: the 32-bit volume serial and the
// 64-bit file index.
std::optional<FolderIdentity> IdentifyByIndex(HANDLE folder) {
  BY_HANDLE_FILE_INFORMATION information{};
  if (!::GetFileInformationByHandle(folder, &information)) return std::nullopt;
  return FolderIdentity{information.dwVolumeSerialNumber, 0,
                        (uint64_t(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

std::optional<FolderIdentity> IdentifyOpened(HANDLE folder) {
  FILE_ID_INFO information{};
  if (!::GetFileInformationByHandleEx(folder, FileIdInfo, &information, sizeof information))
    return IdentifyByIndex(folder);
  FolderIdentity identity{information.VolumeSerialNumber, 0, 0};
  std::memcpy(&identity.fileLow, information.FileId.Identifier, sizeof identity.fileLow);
  std::memcpy(&identity.fileHigh, information.FileId.Identifier + sizeof identity.fileLow, sizeof identity.fileHigh);
  return identity;
}

}  // namespace

void Win32FolderListing::List(const std::string& folder, const OnEntry& onEntry) {
  if (road_ == Road::Find || !ListRecords(folder, onEntry)) ListFound(folder, onEntry);
}

bool Win32FolderListing::ListRecords(const std::string& folder, const OnEntry& onEntry) {
  const platform::UniqueFile opened = OpenFolder(folder, FILE_LIST_DIRECTORY);
  if (!opened) return true;
  // A listing's file IDs are 64-bit: they spell a sub-folder's identity as
  // its own handle does where the volume's IDs fit in 64 bits, on the volume
  // of the folder listed, when that is known.
  const bool volumeKnown = folder == lastIdentified_ && lastIdentity_.fileHigh == 0;
  std::vector<uint64_t> records(kRecordBytes / sizeof(uint64_t));  // aligned as the records need
  FolderEntry entry;
  FILE_INFO_BY_HANDLE_CLASS batch = FileIdBothDirectoryRestartInfo;
  while (::GetFileInformationByHandleEx(opened.get(), batch, records.data(), DWORD(kRecordBytes))) {
    batch = FileIdBothDirectoryInfo;
    const auto* bytes = reinterpret_cast<const std::byte*>(records.data());
    for (;;) {
      const auto* record = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(bytes);
      const std::wstring_view name(record->FileName, record->FileNameLength / sizeof(wchar_t));
      if (!IsDotOrDotDot(name)) {
        const DWORD attributes = record->FileAttributes;
        Describe(entry, name, attributes,
                 std::wstring_view(record->ShortName, std::min(size_t(record->ShortNameLength) / sizeof(wchar_t),
                                                               std::size(record->ShortName))));
        if (volumeKnown && entry.isFolder && !entry.hidden && !entry.notLocal &&
            !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
          listedFolders_[folder + "\\" + entry.name] =
              FolderIdentity{lastIdentity_.volume, 0, uint64_t(record->FileId.QuadPart)};
        }
        if (!onEntry(entry)) return true;
      }
      if (record->NextEntryOffset == 0) break;
      bytes += record->NextEntryOffset;
    }
  }
  // The end of the records, or a file system (a redirector, an older or
  // foreign one) that keeps no directory records by handle: the first batch
  // then fails with another error, and nothing was listed yet.
  return batch == FileIdBothDirectoryInfo || ::GetLastError() == ERROR_NO_MORE_FILES;
}

// The system's find over the whole folder: the same entries with their short
// names, without the file IDs, so each sub-folder is opened when asked for.
void Win32FolderListing::ListFound(const std::string& folder, const OnEntry& onEntry) {
  const std::wstring pattern = platform::FileSystemPath(platform::WideFromUtf8(folder + "\\*"));
  WIN32_FIND_DATAW found{};
  const platform::UniqueFindHandle search(::FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &found,
                                                             FindExSearchNameMatch, nullptr,
                                                             FIND_FIRST_EX_LARGE_FETCH));
  if (!search) return;
  FolderEntry entry;
  do {
    const std::wstring_view name(found.cFileName);
    if (IsDotOrDotDot(name)) continue;
    Describe(entry, name, found.dwFileAttributes, std::wstring_view(found.cAlternateFileName));
    if (!onEntry(entry)) return;
  } while (::FindNextFileW(search.get(), &found));
}

std::optional<FolderIdentity> Win32FolderListing::Identify(const std::string& folder) {
  std::optional<FolderIdentity> identity;
  if (const auto listed = listedFolders_.find(folder); listed != listedFolders_.end()) {
    identity = listed->second;
    listedFolders_.erase(listed);
  } else if (const platform::UniqueFile opened = OpenFolder(folder, FILE_READ_ATTRIBUTES)) {
    identity = IdentifyOpened(opened.get());
  }
  lastIdentified_ = identity ? folder : std::string();
  if (identity) lastIdentity_ = *identity;
  return identity;
}

}  // namespace settings
