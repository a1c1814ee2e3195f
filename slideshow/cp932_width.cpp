#include "slideshow/cp932_width.h"

#include "platform/utf16.h"

namespace slideshow {

int Cp932Width(char32_t c) {
  // The one-byte codes of code page 932 as Windows maps them: ASCII and
  // U+0080, four private-use codes for 0xA0 and 0xFD..0xFF, half-width katakana.
  const bool oneByte = c <= 0x80 || (c >= 0xF8F0 && c <= 0xF8F3) || (c >= 0xFF61 && c <= 0xFF9F);
  return oneByte ? 1 : 2;
}

int64_t Cp932Width(std::string_view text) {
  int64_t width = 0;
  for (size_t at = 0; at < text.size();) width += Cp932Width(platform::DecodeUtf8(text, at));
  return width;
}

void DropCp932Bytes(std::string& text, int bytes) {
  size_t at = 0;
  while (bytes > 0 && at < text.size()) {
    const size_t start = at;
    const int width = Cp932Width(platform::DecodeUtf8(text, at));
    if (width > bytes) {
      text.replace(start, at - start, size_t(width - bytes), ' ');
      text.erase(0, start);
      return;
    }
    bytes -= width;
  }
  text.erase(0, at);
}

}  // namespace slideshow
