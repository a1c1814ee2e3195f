#pragma once
// Finding the windows of a process under test and reading them.
#include <windows.h>

#include <string>
#include <vector>

namespace driver {

// The saver window's class.
inline constexpr wchar_t kSaverClass[] = L"TForm1";
// The class of message boxes and other standard dialogs.
inline constexpr wchar_t kDialogClass[] = L"#32770";

// Top-level windows of the process whose class is `className` (any when null).
std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className);
// The first visible one, or null.
HWND FindVisibleWindow(DWORD processId, const wchar_t* className);
// Waits up to timeoutMs for FindVisibleWindow to find one.
HWND WaitForVisibleWindow(DWORD processId, const wchar_t* className, DWORD timeoutMs);

// A window's text through WM_GETTEXT (also across processes).
std::wstring WindowText(HWND window);
// The texts of a window's direct children, in z order.
std::vector<std::wstring> ChildTexts(HWND window);
// Whether any visible child is a static control holding an icon.
bool HasIconChild(HWND window);

// Presses the OK button of a message box of another process.
void DismissMessageBox(HWND box);

}  // namespace driver
