#pragma once
// Conversions between the program's CP932 byte strings and the UTF-16 of the
// wide Win32 functions. The code page is named explicitly so the program
// behaves alike on a Japanese Windows, on any other Windows and under Wine.
#include <string>
#include <string_view>

namespace platform {

std::wstring WideFromCp932(std::string_view bytes);
std::string Cp932FromWide(std::wstring_view text);

}  // namespace platform
