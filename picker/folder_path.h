#pragma once
// The paths of the folder list as the system spells them: a root ("C:\", a
// share's "\\server\share\", either of them with the extended-length prefix
// "\\?\" that a long path may carry), then folder names joined by
// backslashes. Texts are UTF-8; a backslash byte never stands inside a
// character, so names of any script split and join as they are.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace picker {

// Where the root ends: "C:\" is 3 characters, a share's root runs up to and
// including the backslash after the share's name; 0 for a path without a
// root. A drive without its backslash ("C:") is a root of 2.
size_t RootLength(std::string_view path);

// folder + "\" + name, without doubling the backslash that ends a root.
std::string JoinPath(std::string_view folder, std::string_view name);

// An absolute path as the list holds it: without a trailing backslash unless
// it is a root, and a drive's root always with its own ("C:" is "C:\").
std::string ListedFolder(std::string full);

// "D:\" for 'D' or 'd'.
std::string DriveRoot(char driveLetter);

// The upper-case letter of the drive a path is on; '\0' for a path on a share
// or without a root.
char DriveOf(std::string_view path);

struct FolderLevel {
  std::string path;     // the full path of the level
  std::string caption;  // a root as it is spelt, a folder by its name
};

// The levels of the folder list's path part: the root, then every folder down
// to `folder` itself.
std::vector<FolderLevel> FolderLevels(std::string_view folder);

}  // namespace picker
