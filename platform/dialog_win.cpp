#include "platform/dialog_win.h"

#include <commctrl.h>

#include <stdexcept>

#include "platform/application_win.h"
#include "platform/disabled_windows_win.h"
#include "platform/modal_loop_win.h"

namespace platform {

void Dialog::Create(int templateId) {
  // The up-down control's class, among others, exists only once registered.
  static const BOOL commonControls = [] {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    return ::InitCommonControlsEx(&init);
  }();
  static_cast<void>(commonControls);
  Application& application = Application::Instance();
  description_ = ReadFormDescription(application.Instance_(), templateId);
  const HWND window = ::CreateDialogParamW(application.Instance_(), MAKEINTRESOURCEW(templateId),
                                           application.Handle(), &Dialog::DialogProc,
                                           reinterpret_cast<LPARAM>(this));
  if (!window) throw std::runtime_error("CreateDialogParamW failed");
  application.RegisterForm(window, true);
}

std::wstring Dialog::ItemText(int id) const {
  const HWND control = Item(id);
  std::wstring text(size_t(::GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(size_t(::GetWindowTextW(control, text.data(), int(text.size()))));
  return text;
}

void Dialog::SetItemText(int id, std::wstring_view text) {
  ::SetWindowTextW(Item(id), std::wstring(text).c_str());
}

bool Dialog::Checked(int id) const {
  return ::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Dialog::SetChecked(int id, bool checked) {
  ::SendMessageW(Item(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Dialog::CenterOnScreen() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ::GetMonitorInfoW(::MonitorFromWindow(Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT window;
  ::GetWindowRect(Handle(), &window);
  const RECT& screen = monitor.rcMonitor;
  const int width = window.right - window.left, height = window.bottom - window.top;
  ::SetWindowPos(Handle(), nullptr, screen.left + (screen.right - screen.left - width) / 2,
                 screen.top + (screen.bottom - screen.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Dialog::ShowModal() {
  if (modal_) throw std::logic_error("the dialog is already shown modally");
  const HWND previous = ::GetActiveWindow();
  modal_ = true;
  modalDone_ = false;
  modalResult_ = 0;
  {
    DisabledWindows others(Handle());
    ::ShowWindow(Handle(), SW_SHOW);
    ::SetForegroundWindow(Handle());
    if (!RunModalLoop(Handle(), modalDone_)) EndModal(IDCANCEL);
  }
  // Re-enabled first, so the activation goes back to the opener.
  ::ShowWindow(Handle(), SW_HIDE);
  if (previous && ::IsWindow(previous)) ::SetActiveWindow(previous);
  modal_ = false;
  return modalResult_;
}

void Dialog::EndModal(int result) {
  modalResult_ = result;
  modalDone_ = true;
  // The modal loop may be blocked in GetMessage when the closing command
  // came as a sent message (from another thread or process); wake it.
  ::PostMessageW(Handle(), WM_NULL, 0, 0);
}

void Dialog::OnClose() {
  if (modal_) {
    EndModal(IDCANCEL);
  } else {
    TerminateOrHide();
  }
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      LayOutFirstTime();
      OnInitDialog();
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if ((id == IDOK || id == IDCANCEL) && lParam == 0) return TRUE;
      OnCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return TRUE;
    }
    case WM_SHOWWINDOW:
      if (wParam && lParam == 0) {
        CenterOnScreen();
        OnShow();
      }
      return FALSE;
    case WM_PAINT:
      OnPaint();
      return FALSE;
    case WM_CLOSE:
      OnClose();
      return TRUE;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) Bind(window, reinterpret_cast<Dialog*>(lParam));
  auto* dialog = static_cast<Dialog*>(Receiver(window, message));
  if (!dialog) return FALSE;
  return Guarded([&] { return dialog->HandleMessage(message, wParam, lParam); }, INT_PTR(TRUE));
}

}  // namespace platform
