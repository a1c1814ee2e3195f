#include "platform/message_box_win.h"

#include <string>

#include "platform/application_win.h"
#include "platform/cp932.h"

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

void ShowMessageCp932(std::string_view text) { ShowMessage(WideFromCp932(text)); }

}  // namespace platform
