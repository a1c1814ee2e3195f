#include "platform/message_box_win.h"

#include <string>

#include "platform/application_win.h"
#include "platform/utf16.h"

namespace platform {

namespace {
HWND MessageOwner() {
  const HWND active = ::GetActiveWindow();
  return active ? active : Application::Instance().Handle();
}
}  // namespace

int ShowMessageBox(std::wstring_view text, UINT flags) {
  const std::wstring body(text);
  return ::MessageBoxW(MessageOwner(), body.c_str(), Application::Instance().Title().c_str(), flags);
}

void ShowMessage(std::wstring_view text) { ShowMessageBox(text, MB_OK); }

void ShowMessageUtf8(std::string_view text) { ShowMessage(WideFromUtf8(text)); }

}  // namespace platform
