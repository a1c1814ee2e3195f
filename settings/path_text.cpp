#include "settings/path_text.h"

namespace settings {

namespace {

bool IsCp932LeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Index of the first byte of the last character.
size_t LastCharacterStart(std::string_view text) {
  size_t start = 0;
  for (size_t i = 0; i < text.size(); i += IsCp932LeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1)
    start = i;
  return start;
}

}  // namespace

std::string StripTrailingBackslash(std::string_view path) {
  if (!path.empty() && path.back() == '\\' && LastCharacterStart(path) == path.size() - 1)
    path.remove_suffix(1);
  return std::string(path);
}

}  // namespace settings
