#pragma once
#include <string>
#include <string_view>

namespace settings {

// The path without one trailing backslash, if it ends with one. The path is
// CP932: a 0x5C that is the trail byte of a double-byte character (as in 十 or
// ソ) is part of that character, not a separator, and stays.
std::string StripTrailingBackslash(std::string_view path);

}  // namespace settings
