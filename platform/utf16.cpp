#include "platform/utf16.h"

#include <type_traits>

namespace platform {
namespace {

constexpr bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }
constexpr bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
constexpr bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

char32_t DecodeUtf8(std::string_view text, size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  ++at;
  if (lead < 0x80) return lead;
  int more = 0;
  char32_t c = 0, least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) more = 1, c = lead & 0x1F, least = 0x80;
  else if (lead >= 0xE0 && lead <= 0xEF) more = 2, c = lead & 0x0F, least = 0x800;
  else if (lead >= 0xF0 && lead <= 0xF4) more = 3, c = lead & 0x07, least = 0x10000;
  else return kReplacementCharacter;
  for (int i = 0; i < more; ++i) {
    // A sequence cut short is one replacement; the byte that cut it starts anew.
    if (at >= text.size() || !IsContinuation(static_cast<unsigned char>(text[at])))
      return kReplacementCharacter;
    c = (c << 6) | (static_cast<unsigned char>(text[at]) & 0x3F);
    ++at;
  }
  if (c < least || c > 0x10FFFF) return kReplacementCharacter;
  return c;
}

template <class Unit>
std::basic_string<Unit> Utf16FromUtf8(std::string_view text) {
  std::basic_string<Unit> out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const char32_t c = DecodeUtf8(text, at);
    if (c < 0x10000) {
      out += Unit(c);
    } else {
      out += Unit(0xD800 + ((c - 0x10000) >> 10));
      out += Unit(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  return out;
}

template <class Unit>
std::string Utf8FromUtf16(std::basic_string_view<Unit> text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (size_t i = 0; i < text.size(); ++i) {
    const auto unit = char32_t(static_cast<std::make_unsigned_t<Unit>>(text[i]) & 0xFFFF);
    if (IsHighSurrogate(unit) && i + 1 < text.size()) {
      const auto next = char32_t(static_cast<std::make_unsigned_t<Unit>>(text[i + 1]) & 0xFFFF);
      if (IsLowSurrogate(next)) {
        AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
        ++i;
        continue;
      }
    }
    AppendUtf8(out, unit);  // a lone surrogate keeps its own three bytes
  }
  return out;
}

template std::u16string Utf16FromUtf8<char16_t>(std::string_view);
template std::wstring Utf16FromUtf8<wchar_t>(std::string_view);
template std::string Utf8FromUtf16<char16_t>(std::u16string_view);
template std::string Utf8FromUtf16<wchar_t>(std::wstring_view);

}  // namespace platform
