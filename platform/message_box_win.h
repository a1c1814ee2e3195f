#pragma once
// The program's own message boxes: the application's title as caption, owned
// by the active window of the program (or the application window), so a box
// stays modal to the dialog that raised it.
#include <windows.h>

#include <string_view>

namespace platform {

// MessageBoxW with the given MB_ flags; returns the button pressed.
int ShowMessageBox(std::wstring_view text, UINT flags);
// The plain box: the text and an OK button, no icon. Waits until dismissed.
void ShowMessage(std::wstring_view text);
// The same for a UTF-8 text.
void ShowMessageUtf8(std::string_view text);

}  // namespace platform
