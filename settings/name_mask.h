#pragma once
// The wildcard match of the system's directory search: * any run, ? one
// byte, ASCII letters without regard to case (a letter outside ASCII matches
// only itself, as the search on Wine's file system matches it).
#include <string>
#include <string_view>

namespace settings {

bool MatchesMask(std::string_view name, std::string_view mask);

// The text after the last dot of a name, its ASCII letters in lower case;
// empty when it has no dot. A mask "*.ext" matches exactly the names whose
// extension is ext (when ext holds no wildcard and no dot).
std::string LowerExtension(std::string_view name);

}  // namespace settings
