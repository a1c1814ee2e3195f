#include "platform/application_win.h"

#include <algorithm>
#include <stdexcept>

#include "platform/high_resolution_wait_win.h"
#include "platform/message_box_win.h"
#include "platform/utf16.h"

namespace platform {

namespace {
constexpr wchar_t kClassName[] = L"TApplication";

LRESULT CALLBACK ApplicationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(window, message, wParam, lParam);
}
}  // namespace

Application& Application::Instance() {
  static Application application;
  return application;
}

// The application window is never shown: it owns the top-level forms, so
// they carry no task-bar button of their own unless they ask for one
// (WS_EX_APPWINDOW), and hiding it is always allowed.
void Application::Initialize(HINSTANCE instance) {
  if (handle_) return;
  instance_ = instance;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &ApplicationWindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = kClassName;
  ::RegisterClassExW(&wc);
  handle_ = ::CreateWindowExW(0, kClassName, title_.c_str(),
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                              nullptr, nullptr, instance, nullptr);
  if (!handle_) throw std::runtime_error("the application window could not be created");
}

void Application::ProcessMessages() { DispatchQueued(); }

void Application::RegisterForm(HWND form, bool isDialog) {
  if (!mainForm_) mainForm_ = form;
  if (isDialog) dialogs_.push_back(form);
}

void Application::UnregisterForm(HWND form) {
  std::erase(dialogs_, form);
  if (form == mainForm_) {
    mainForm_ = nullptr;
    Terminate();
  }
}

bool Application::TranslateForDialogs(MSG& msg) const {
  return std::any_of(dialogs_.begin(), dialogs_.end(),
                     [&msg](HWND dialog) { return ::IsDialogMessageW(dialog, &msg) != 0; });
}

// Every message the queue holds is taken before the clockwork runs, so input
// and paints never wait behind ticks; the wait then sleeps until the next
// message or the clockwork's wake, never spinning.
void Application::Run() {
  if (!mainForm_ || terminated_) return;
  ::ShowWindow(mainForm_, SW_SHOW);
  HighResolutionWait wait;
  while (PumpOnce()) wait.WaitForMessageOrDeadline(clock_, NextWake());
  terminated_ = true;
}

bool Application::PumpOnce() {
  if (!DispatchQueued()) return false;
  StepClockwork();
  return !terminated_;
}

std::optional<int64_t> Application::NextWake() const {
  if (!clockwork_) return std::nullopt;
  return clockwork_->NextWake();
}

bool Application::DispatchQueued() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      return false;
    }
    try {
      if (TranslateForDialogs(msg)) continue;
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    } catch (const std::exception& error) {
      ShowException(error);
    }
  }
  return true;
}

void Application::StepClockwork() {
  if (!clockwork_) return;
  try {
    clockwork_->Step();
  } catch (const std::exception& error) {
    ShowException(error);
  }
}

void Application::Terminate() { ::PostQuitMessage(0); }

void Application::ShowException(const std::exception& error) const {
  ShowError(WideFromUtf8(error.what()));
}

void Application::ShowError(const std::wstring& message) const {
  ShowMessageBox(message, MB_OK | MB_ICONERROR);
}

}  // namespace platform
