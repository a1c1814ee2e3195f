#pragma once
// The base of every window the program builds from code: one window class per
// form class, the object bound at WM_NCCREATE, every message routed to the
// virtual HandleMessage through Window's guarded dispatch.
//
// A form registers itself with the Application when its window exists; the
// first one is the main form. Closing the main form asks the application to
// terminate (the window itself lives on until the object is destroyed, after
// the loop); destroying it, for instance with its parent, ends the loop too.
#include <windows.h>

#include <string>

#include "platform/window_win.h"

namespace platform {

// Window-creation parameters, filled by CreateParams before CreateWindowExW.
struct CreateParamsData {
  std::wstring className;
  std::wstring caption;
  DWORD style = WS_POPUP;
  DWORD exStyle = 0;
  UINT classStyle = 0;  // CS_ flags of the form's window class
  int x = 0, y = 0, width = 0, height = 0;
  HWND parent = nullptr;  // the owner for a top-level form, the parent for a child
};

class Form : public Window {
 public:
  void SetBounds(int left, int top, int width, int height);
  void Invalidate();
  // Posts a close request; never closes re-entrantly inside a handler.
  void Close();

 protected:
  Form() = default;
  // Creates the window; call from the most-derived constructor so the
  // derived CreateParams takes part.
  void CreateHandle(bool isDialog = false);
  // Defaults: a top-level pop-up owned by the application window.
  virtual void CreateParams(CreateParamsData& params);
  // The message map; call Form::HandleMessage for the normal handling.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // Cracked handlers, called by the normal handling.
  virtual void OnShow() {}
  virtual void OnPaint();
  virtual void OnKeyDown(UINT /*key*/) {}
  // `button` is the message: WM_LBUTTONDOWN, WM_RBUTTONDOWN ...
  virtual void OnMouseDown(UINT /*button*/, int /*x*/, int /*y*/) {}
  virtual void OnMouseMove(int /*x*/, int /*y*/) {}
  // Main form: terminate the application; others: hide.
  virtual void OnClose();

  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static void RegisterClassOnce(HINSTANCE instance, const std::wstring& className, UINT style);
};

}  // namespace platform
