#pragma once
#include <windows.h>

#include <string>

namespace picker {

// The system's own text for an error code, in UTF-8.
std::string SystemErrorText(DWORD error);

}  // namespace picker
