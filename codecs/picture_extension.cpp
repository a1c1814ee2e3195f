#include "codecs/picture_extension.h"

namespace codecs {
namespace {

constexpr size_t kLongPathBytes = 101;
constexpr size_t kMaxExtensionBytes = 7;

bool IsCp932LeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// ANSI lower-casing under code page 932 changes ASCII letters only; the second
// byte of a double-byte character may look like a letter and stays as it is.
std::string LowerCp932(std::string_view text) {
  std::string out(text);
  for (size_t i = 0; i < out.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(out[i]);
    if (IsCp932LeadByte(c)) {
      ++i;
    } else if (c >= 'A' && c <= 'Z') {
      out[i] = char(c - 'A' + 'a');
    }
  }
  return out;
}

}  // namespace

std::string PictureExtension(std::string_view cp932Path) {
  std::string lower = LowerCp932(cp932Path);
  if (lower.size() >= kLongPathBytes) return "_";
  size_t dot = lower.rfind('.');
  if (dot == std::string::npos) return "_";
  return lower.substr(dot + 1, kMaxExtensionBytes);
}

}  // namespace codecs
