#pragma once
#include <string>
#include <string_view>

namespace codecs {

// The lower-cased extension of a CP932 path that chooses its decoder: the
// bytes after the last ".", at most 7; "_" when there is no "." or the path is
// 101 bytes long or longer.
std::string PictureExtension(std::string_view cp932Path);

}  // namespace codecs
