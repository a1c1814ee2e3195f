#include "codecs/picture_extension.h"

namespace codecs {
namespace {

constexpr size_t kMaxExtensionBytes = 7;

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// In UTF-8 no byte of a multi-byte character is an ASCII letter, so lowering
// bytes touches ASCII letters only.
std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  }
  return out;
}

}  // namespace

std::string PictureExtension(std::string_view path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string_view::npos) return "_";
  std::string_view extension = path.substr(dot + 1);
  if (extension.size() > kMaxExtensionBytes) {
    size_t cut = kMaxExtensionBytes;
    while (cut > 0 && IsUtf8Continuation(extension[cut])) --cut;
    extension = extension.substr(0, cut);
  }
  return LowerAscii(extension);
}

}  // namespace codecs
