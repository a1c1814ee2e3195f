#pragma once
// Paths of any length for the file functions. The manifest declares the
// program long-path aware, but Windows honours that only where the system
// allows long paths; a path of MAX_PATH characters or more is therefore given
// to the file functions in its extended-length form ("\\?\C:\..." or
// "\\?\UNC\server\share\..."), which every Windows accepts.
#include <string>
#include <string_view>

namespace platform {

// `path` itself when shorter than MAX_PATH; otherwise its absolute form with
// the extended-length prefix (the prefix turns off the system's own
// normalisation, so "." and ".." are resolved here first).
std::wstring FileSystemPath(std::wstring_view path);

}  // namespace platform
