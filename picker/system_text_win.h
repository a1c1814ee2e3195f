#pragma once
#include <windows.h>

#include <string>

namespace picker {

// The system's own text for an error code, in UTF-8.
std::string SystemErrorText(DWORD error);

// UTF-16 from UTF-8, for the program's own messages.
std::wstring WideFromUtf8(const std::string& utf8);

}  // namespace picker
