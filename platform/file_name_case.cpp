#include "platform/file_name_case.h"

#include "platform/utf16.h"

namespace platform {
namespace {

// Latin Extended-A pairs an upper-case letter with the lower-case one after
// it, at even code points in two runs and at odd ones in the runs between.
char32_t UpperLatinExtendedA(char32_t c) {
  const bool evenUpper = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
  const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  if (evenUpper && c % 2 == 1) return c - 1;
  if (oddUpper && c % 2 == 0) return c - 1;
  return c;
}

}  // namespace

char32_t UpperFileNameCharacter(char32_t c) {
  if (c >= 'a' && c <= 'z') return c - 0x20;
  if (c < 0x80) return c;
  if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;
  if (c == 0xFF) return 0x178;
  if (c == 0x131) return c;  // the dotless i has no upper case of its own
  if (c >= 0x100 && c <= 0x17F) return UpperLatinExtendedA(c);
  if (c == 0x3C2) return 0x3A3;  // final sigma
  if (c == 0x3AC) return 0x386;  // the Greek vowels with an accent
  if (c >= 0x3AD && c <= 0x3AF) return c - 0x25;
  if (c == 0x3CC) return 0x38C;
  if (c == 0x3CD || c == 0x3CE) return c - 0x3F;
  if ((c >= 0x3B1 && c <= 0x3C1) || (c >= 0x3C3 && c <= 0x3CB)) return c - 0x20;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;
  return c;
}

// ASCII, the common case, is folded without decoding; bytes that are not
// UTF-8 are kept as they are, so two different garbled names stay different.
std::string FoldFileName(std::string_view utf8) {
  std::string folded;
  AppendFoldedFileName(folded, utf8);
  return folded;
}

void AppendFoldedFileName(std::string& folded, std::string_view utf8) {
  folded.reserve(folded.size() + utf8.size());
  for (size_t at = 0; at < utf8.size();) {
    const auto byte = static_cast<unsigned char>(utf8[at]);
    if (byte < 0x80) {
      folded += char(byte >= 'a' && byte <= 'z' ? byte - 0x20 : byte);
      ++at;
      continue;
    }
    const size_t start = at;
    const char32_t c = DecodeUtf8(utf8, at);
    if (c == kReplacementCharacter)
      folded.append(utf8.substr(start, at - start));
    else
      AppendUtf8(folded, UpperFileNameCharacter(c));
  }
}

bool SameFileName(std::string_view a, std::string_view b) { return FoldFileName(a) == FoldFileName(b); }

}  // namespace platform
