#include "platform/window_win.h"

#include <stdexcept>

#include "platform/application_win.h"

namespace platform {
namespace {

const wchar_t kObjectProperty[] = L"TolvexWindowObject";

}  // namespace

Window::~Window() {
  if (!handle_) return;
  const HWND window = handle_;
  WindowGone();
  ::DestroyWindow(window);
}

Window* Window::FromHandle(HWND window) {
  return window ? static_cast<Window*>(::GetPropW(window, kObjectProperty)) : nullptr;
}

void Window::Bind(HWND window, Window* object) {
  object->handle_ = window;
  ::SetPropW(window, kObjectProperty, object);
}

Window* Window::Receiver(HWND window, UINT message) {
  Window* object = FromHandle(window);
  if (object && message == WM_NCDESTROY) {
    object->WindowGone();
    return nullptr;
  }
  return object;
}

void Window::TerminateOrHide() {
  if (Application::Instance().MainForm() == handle_) {
    Application::Instance().Terminate();
  } else {
    ::ShowWindow(handle_, SW_HIDE);
  }
}

void Window::ReportFailure(std::exception_ptr failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const std::exception& error) {
    Application::Instance().ShowException(error);
  } catch (...) {
    Application::Instance().ShowError(L"Unexpected error");
  }
}

void Window::WindowGone() {
  if (!handle_) return;
  const HWND window = handle_;
  ::RemovePropW(window, kObjectProperty);
  handle_ = nullptr;
  Application::Instance().UnregisterForm(window);
}

}  // namespace platform
