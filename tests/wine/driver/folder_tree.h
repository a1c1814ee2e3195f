#pragma once
// Removing a test's own folder with everything in it, however deep. The
// shell's delete is not used: under Wine it loses its way in folders deeper
// than MAX_PATH and deletes from the current folder instead.
#include <string>

namespace driver {

// Removes `folder` (an absolute path with a drive, "X:\...") and its contents;
// anything else is refused, so a mistake can never reach the current folder.
void RemoveFolderTree(const std::wstring& folder);

}  // namespace driver
