#include "settings/path_text.h"

namespace settings {

std::string StripTrailingBackslash(std::string_view path) {
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return std::string(path);
}

}  // namespace settings
