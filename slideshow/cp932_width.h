#pragma once
// The ticker counts its steps and pads in the bytes code page 932 would give
// a text: 1 for ASCII and half-width katakana (and the few other one-byte
// codes of the code page), 2 for every other character, whether CP932 holds
// it as a double-byte character or cannot hold it at all. A surrogate pair is
// one character; so is a lone surrogate. Texts are UTF-8.
#include <cstdint>
#include <string>
#include <string_view>

namespace slideshow {

int Cp932Width(char32_t codePoint);
int64_t Cp932Width(std::string_view text);

// Takes `bytes` CP932 bytes off the front of `text`. A character the cut
// would split is never drawn in half: what remains of it becomes spaces of
// its remaining width, so every later step and pass falls where it would for
// the CP932 bytes.
void DropCp932Bytes(std::string& text, int bytes);

}  // namespace slideshow
