#include "platform/form_win.h"

#include <windowsx.h>

#include <set>
#include <stdexcept>

#include "platform/application_win.h"
#include "platform/cursor_win.h"

namespace platform {

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
  ::SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Invalidate() { ::InvalidateRect(Handle(), nullptr, FALSE); }

void Form::Close() { ::PostMessageW(Handle(), WM_CLOSE, 0, 0); }

void Form::OnPaint() { ::ValidateRect(Handle(), nullptr); }

void Form::OnClose() { TerminateOrHide(); }

LRESULT Form::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(Handle(), message, wParam, lParam);
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
    Bind(window, static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  }
  auto* form = static_cast<Form*>(Receiver(window, message));
  if (!form) return ::DefWindowProcW(window, message, wParam, lParam);
  return Guarded([&] { return form->HandleMessage(message, wParam, lParam); }, LRESULT(0));
}

}  // namespace platform
