#include "picker/folder_path.h"

namespace picker {
namespace {

constexpr std::string_view kExtended = "\\\\?\\";
constexpr std::string_view kExtendedShare = "\\\\?\\UNC\\";

// A share's root ends with the backslash after its second name (server,
// then share).
size_t ShareRootLength(std::string_view path, size_t serverStart) {
  size_t at = path.find('\\', serverStart);
  if (at != std::string_view::npos) at = path.find('\\', at + 1);
  return at == std::string_view::npos ? path.size() : at + 1;
}

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

bool StartsWithDrive(std::string_view path) { return path.size() >= 2 && path[1] == ':'; }

size_t DriveRootLength(std::string_view path) { return path.size() >= 3 && path[2] == '\\' ? 3 : 2; }

// The path after an extended-length prefix that names a drive ("\\?\C:\").
std::string_view WithoutDrivePrefix(std::string_view path) {
  if (path.starts_with(kExtended) && !path.starts_with(kExtendedShare)) path.remove_prefix(kExtended.size());
  return path;
}

}  // namespace

size_t RootLength(std::string_view path) {
  if (path.starts_with(kExtendedShare)) return ShareRootLength(path, kExtendedShare.size());
  if (path.starts_with(kExtended)) {
    const std::string_view rest = path.substr(kExtended.size());
    if (StartsWithDrive(rest)) return kExtended.size() + DriveRootLength(rest);
    const size_t at = path.find('\\', kExtended.size());  // a volume's name
    return at == std::string_view::npos ? path.size() : at + 1;
  }
  if (StartsWithDrive(path)) return DriveRootLength(path);
  return path.starts_with("\\\\") ? ShareRootLength(path, 2) : 0;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string joined(folder);
  if (joined.empty() || joined.back() != '\\') joined += '\\';
  return joined.append(name);
}

std::string ListedFolder(std::string full) {
  if (full.size() > RootLength(full) && full.back() == '\\') full.pop_back();
  if (!full.empty() && RootLength(full) == full.size() && full.back() == ':') full += '\\';
  return full;
}

std::string DriveRoot(char driveLetter) {
  return {UpperAscii(driveLetter), ':', '\\'};
}

char DriveOf(std::string_view path) {
  path = WithoutDrivePrefix(path);
  if (!StartsWithDrive(path)) return '\0';
  const char letter = UpperAscii(path[0]);
  return letter >= 'A' && letter <= 'Z' ? letter : '\0';
}

std::vector<FolderLevel> FolderLevels(std::string_view folder) {
  const size_t rootLength = RootLength(folder);
  std::string path(folder.substr(0, rootLength));
  std::vector<FolderLevel> levels{{path, path}};
  for (size_t start = rootLength; start < folder.size();) {
    size_t end = folder.find('\\', start);
    if (end == std::string_view::npos) end = folder.size();
    const std::string_view name = folder.substr(start, end - start);
    if (!name.empty()) {
      path = JoinPath(path, name);
      levels.push_back({path, std::string(name)});
    }
    start = end + 1;
  }
  return levels;
}

}  // namespace picker
