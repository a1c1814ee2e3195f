#include "platform/form_win.h"

#include <windowsx.h>

#include <exception>
#include <set>
#include <stdexcept>

#include "platform/application_win.h"
#include "platform/cursor_win.h"

namespace platform {

Form::~Form() {
  if (!handle_) return;
  // The derived part is gone: the window must not reach HandleMessage again.
  const HWND window = handle_;
  WindowGone();
  ::DestroyWindow(window);
}

void Form::CreateParams(CreateParamsData& params) {
  params.style = WS_POPUP;
  params.parent = Application::Instance().Handle();
}

void Form::RegisterClassOnce(HINSTANCE instance, const std::wstring& className, UINT style) {
  static std::set<std::wstring> registered;
  if (registered.count(className)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = style;
  wc.lpfnWndProc = &Form::WindowProc;
  wc.hInstance = instance;
  // No class cursor: WM_SETCURSOR sets the application-wide cursor.
  wc.hCursor = nullptr;
  wc.hbrBackground = nullptr;
  wc.lpszClassName = className.c_str();
  if (!::RegisterClassExW(&wc)) throw std::runtime_error("RegisterClassExW failed");
  registered.insert(className);
}

void Form::CreateHandle(bool isDialog) {
  CreateParamsData params;
  CreateParams(params);
  const HINSTANCE instance = Application::Instance().Instance_();
  RegisterClassOnce(instance, params.className, params.classStyle);
  const HWND window = ::CreateWindowExW(params.exStyle, params.className.c_str(),
                                        params.caption.c_str(), params.style, params.x, params.y,
                                        params.width, params.height, params.parent, nullptr,
                                        instance, this);
  if (!window) throw std::runtime_error("CreateWindowExW failed");
  Application::Instance().RegisterForm(window, isDialog);
}

void Form::SetBounds(int left, int top, int width, int height) {
  ::SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Invalidate() { ::InvalidateRect(handle_, nullptr, FALSE); }

void Form::Close() { ::PostMessageW(handle_, WM_CLOSE, 0, 0); }

void Form::OnPaint() { ::ValidateRect(handle_, nullptr); }

void Form::OnClose() {
  if (Application::Instance().MainForm() == handle_) {
    Application::Instance().Terminate();
  } else {
    ::ShowWindow(handle_, SW_HIDE);
  }
}

LRESULT Form::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SHOWWINDOW:
      if (wParam) OnShow();
      break;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      OnKeyDown(UINT(wParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
      OnMouseDown(message, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        ::SetCursor(ApplicationCursor());
        return TRUE;
      }
      break;
    case WM_CLOSE:
      OnClose();
      return 0;
    default:
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->handle_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Form*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!form) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    form->WindowGone();
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  try {
    return form->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    Application::Instance().ShowException(error);
  } catch (...) {
    Application::Instance().ShowError(L"Unexpected error");
  }
  return 0;
}

// The window is destroyed (by the object or with its parent): forget it so
// the object never touches a dead handle, and let the application know.
void Form::WindowGone() {
  if (!handle_) return;
  const HWND window = handle_;
  ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  handle_ = nullptr;
  Application::Instance().UnregisterForm(window);
}

}  // namespace platform
