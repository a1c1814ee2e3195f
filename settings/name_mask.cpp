#include "settings/name_mask.h"

#include <cctype>
#include <cstddef>

namespace settings {
namespace {

bool SameLetter(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

}  // namespace

// Greedy matching with one backtrack point: the last '*' seen.
bool MatchesMask(std::string_view name, std::string_view mask) {
  size_t n = 0, m = 0, starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == '?' || (mask[m] != '*' && SameLetter(mask[m], name[n])))) {
      ++n;
      ++m;
    } else if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (starMask != std::string_view::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

std::string LowerExtension(std::string_view name) {
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return {};
  std::string extension(name.substr(dot + 1));
  for (char& c : extension) c = char(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

}  // namespace settings
