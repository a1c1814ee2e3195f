#pragma once
// File names compared as Windows compares them: without regard to case, by
// the simple upper-case mapping of each character (no locale, no
// normalisation), so "Ｐｈｏｔｏ.JPG" and "ｐｈｏｔｏ.jpg" name one file and
// "ß" stays itself. The mapping covers the scripts a file name is written in
// here: ASCII, Latin-1, Latin Extended-A, Greek, Cyrillic and full-width
// Latin; other characters compare as they are.
#include <string>
#include <string_view>

namespace platform {

char32_t UpperFileNameCharacter(char32_t c);
// The UTF-8 text with each character upper-cased as above: two names are one
// file name when their folded texts are equal.
std::string FoldFileName(std::string_view utf8);
// The same appended to `out`, which keeps its memory from one name to the next.
void AppendFoldedFileName(std::string& out, std::string_view utf8);
bool SameFileName(std::string_view a, std::string_view b);

}  // namespace platform
