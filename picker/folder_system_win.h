#pragma once
// The folder list's file system on Windows: paths through the wide API (in
// their extended-length form where they are long), names compared as the
// file system compares them, and the listings the list shows.
#include <windows.h>

#include <string>
#include <vector>

#include "picker/folder_moves.h"

namespace picker {

class Win32FolderSystem : public FolderSystem {
 public:
  std::string FullPath(const std::string& path) const override;
  bool SameFolder(const std::string& a, const std::string& b) const override;
  bool IsListableFolder(const std::string& folder) const override;
  DriveChange ProbeDrive(char driveLetter) const override;
};

// The sub-folders of a folder, sorted without regard to case; nothing when
// it cannot be listed.
std::vector<std::wstring> ListSubfolders(const std::string& folder);

}  // namespace picker
