#pragma once
// What every window object of the program shares, forms built from code
// (Form) and dialogs built from a template (Dialog): the handle, finding the
// object behind a handle, the rule for a window that goes away before its
// object, the close rule, and the dispatch that stops exceptions at the
// window procedure so they never unwind through the window manager (they go
// to the application's error box and the loop goes on).
#include <windows.h>

#include <exception>

namespace platform {

class Window {
 public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return handle_; }
  // The object behind a window of this program; null for any other window,
  // and once the window is gone.
  static Window* FromHandle(HWND window);

 protected:
  Window() = default;
  // Destroys the window if it still exists. The derived part is already gone,
  // so the window is forgotten first and never reaches a handler again.
  virtual ~Window();

  // For the window procedures. Bind ties the window to its object at the
  // first message that carries the object (WM_NCCREATE, WM_INITDIALOG).
  // Receiver gives the object for a message, or null before the binding and
  // from WM_NCDESTROY on: the window is destroyed (by the object or with its
  // parent), so the object forgets it and lets the application know.
  static void Bind(HWND window, Window* object);
  static Window* Receiver(HWND window, UINT message);
  // Runs a handler; an exception goes to the application's error box and
  // `afterError` is the message's result.
  template <typename Result, typename Handler>
  static Result Guarded(Handler&& handler, Result afterError) {
    try {
      return handler();
    } catch (...) {
      ReportFailure(std::current_exception());
    }
    return afterError;
  }

  // The close box of a window that is not modal: the main form asks the
  // application to terminate (the window lives on until its object is
  // destroyed, after the loop); any other window hides.
  void TerminateOrHide();

 private:
  static void ReportFailure(std::exception_ptr failure);
  void WindowGone();

  HWND handle_ = nullptr;
};

}  // namespace platform
