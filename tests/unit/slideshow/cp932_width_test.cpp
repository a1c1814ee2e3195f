#include "slideshow/cp932_width.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "platform/utf16.h"

namespace slideshow {
namespace {

// The width code page 932 gives a character, by the C library's converter: the
// length of its bytes when they convert back to the same character, else 2.
int IconvWidth(iconv_t toCp932, iconv_t fromCp932, char32_t c) {
  std::u16string unit(1, char16_t(c));
  std::string utf8 = platform::Utf8FromUtf16<char16_t>(unit);
  char bytes[8];
  char* in = utf8.data();
  char* out = bytes;
  size_t inLeft = utf8.size(), outLeft = sizeof bytes;
  iconv(toCp932, nullptr, nullptr, nullptr, nullptr);
  if (iconv(toCp932, &in, &inLeft, &out, &outLeft) == size_t(-1)) return 2;
  const size_t length = sizeof bytes - outLeft;
  char back[8];
  char* b = back;
  char* cp = bytes;
  size_t cpLeft = length, backLeft = sizeof back;
  iconv(fromCp932, nullptr, nullptr, nullptr, nullptr);
  if (iconv(fromCp932, &cp, &cpLeft, &b, &backLeft) == size_t(-1)) return 2;
  const bool roundTrips = std::string(back, sizeof back - backLeft) == utf8;
  return roundTrips ? int(length) : 2;
}

TEST(Cp932Width, AgreesWithTheCodePageOnTheWholeBasicPlane) {
  iconv_t to = iconv_open("CP932", "UTF-8");
  iconv_t from = iconv_open("UTF-8", "CP932");
  ASSERT_NE(to, iconv_t(-1));
  ASSERT_NE(from, iconv_t(-1));
  for (char32_t c = 0; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    // Windows maps five one-byte codes the C library leaves out: 0x80 to
    // U+0080, 0xA0 and 0xFD..0xFF to U+F8F0..U+F8F3.
    if (c == 0x80 || (c >= 0xF8F0 && c <= 0xF8F3)) {
      EXPECT_EQ(Cp932Width(c), 1);
      continue;
    }
    ASSERT_EQ(Cp932Width(c), IconvWidth(to, from, c)) << std::hex << uint32_t(c);
  }
  iconv_close(to);
  iconv_close(from);
}

TEST(Cp932Width, CountsEveryCharacterOfAText) {
  const struct {
    std::string text;
    int64_t width;
  } cases[] = {
      {"", 0},
      {"abc", 3},
      {"ｱｲｳ", 3},
      {"ソフト十表", 10},
      {"안녕", 4},
      {"😀", 2},
      {"𠮷", 2},
      {"Ü", 2},
      {"\xED\xA0\xBD", 2},  // a lone surrogate
  };
  for (const auto& c : cases) EXPECT_EQ(Cp932Width(c.text), c.width) << c.text;
}

TEST(DropCp932Bytes, NeverLeavesHalfACharacter) {
  const struct {
    std::string text;
    int bytes;
    std::string left;
  } cases[] = {
      {"abcd", 2, "cd"},
      {"あいう", 2, "いう"},
      {"aあい", 2, " い"},
      {"a😀b", 2, " b"},
      {"ｱ사진", 2, " 진"},
      {"a", 2, ""},
      {"", 2, ""},
      {"사진", 3, " "},
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    DropCp932Bytes(text, c.bytes);
    EXPECT_EQ(text, c.left) << c.text;
  }
}

}  // namespace
}  // namespace slideshow
