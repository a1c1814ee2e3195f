#include "platform/utf16.h"

#include <gtest/gtest.h>

#include <string>

namespace platform {
namespace {

// Every UTF-16 text, lone surrogates included, comes back unit for unit; the
// UTF-8 side is standard UTF-8 wherever the UTF-16 is well formed.
TEST(Utf16, RoundTripsEveryText) {
  const struct {
    std::u16string utf16;
    std::string utf8;
  } cases[] = {
      {u"", ""},
      {u"C:\\Pics\\a.jpg", "C:\\Pics\\a.jpg"},
      {u"ソフト十表", "ソフト十表"},
      {u"사진폴더\\풍경.bmp", "사진폴더\\풍경.bmp"},
      {u"😀.bmp", "\xF0\x9F\x98\x80.bmp"},
      {u"Ünïcödé 𠮷", "Ünïcödé 𠮷"},
      {std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
      {std::u16string{0xD83D, u'x'}, "\xED\xA0\xBDx"},        // a high surrogate alone
      {std::u16string{u'x', 0xDE00}, "x\xED\xB8\x80"},        // a low surrogate alone
      {std::u16string{0xDE00, 0xD83D}, "\xED\xB8\x80\xED\xA0\xBD"},  // reversed: no pair
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8FromUtf16<char16_t>(c.utf16), c.utf8);
    EXPECT_EQ(Utf16FromUtf8<char16_t>(c.utf8), c.utf16);
  }
}

// Bytes that are not UTF-8 are never made by the program; if they come, each
// malformed sequence reads as U+FFFD and the next byte starts afresh.
TEST(Utf16, ReadsMalformedUtf8AsReplacementCharacters) {
  const struct {
    std::string utf8;
    std::u16string utf16;
  } cases[] = {
      {"\x82\xA0", u"\uFFFD\uFFFD"},      // CP932 あ
      {"a\xE3\x81", u"a\uFFFD"},          // cut short at the end
      {"\xE3\x81z", u"\uFFFDz"},          // cut short before an ASCII byte
      {"\xC0\xAF", u"\uFFFD\uFFFD"},      // an overlong slash
      {"\xF4\x90\x80\x80", u"\uFFFD"},    // beyond U+10FFFF
  };
  for (const auto& c : cases) EXPECT_EQ(Utf16FromUtf8<char16_t>(c.utf8), c.utf16) << c.utf8;
}

}  // namespace
}  // namespace platform
