#pragma once
#include <string>
#include <string_view>

namespace codecs {

// The lower-cased extension of a UTF-8 path that chooses its decoder: the
// bytes after the last ".", at most 7 (fewer when the seventh would end inside
// a character); "_" when there is no ".". Only ASCII letters are lower-cased.
// A path of any length has its extension.
std::string PictureExtension(std::string_view path);

}  // namespace codecs
