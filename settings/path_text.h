#pragma once
#include <string>
#include <string_view>

namespace settings {

// The path without one trailing backslash, if it ends with one. The path is
// UTF-8, where a 0x5C byte is always a backslash, never part of a character
// (as it could be in CP932, in 十 or ソ).
std::string StripTrailingBackslash(std::string_view path);

}  // namespace settings
