#pragma once
// The application object: a hidden top-level window that carries the
// program's task-bar button and owns every form, the message loop with the
// main-form rule (the first form registered is the main form; destroying it
// ends the loop), the terminate request, and the error box for exceptions
// that reach the loop.
#include <windows.h>

#include <exception>
#include <string>
#include <vector>

namespace platform {

class Application {
 public:
  static Application& Instance();

  // Creates the hidden application window; call once before any form.
  void Initialize(HINSTANCE instance);
  HINSTANCE Instance_() const { return instance_; }
  HWND Handle() const { return handle_; }
  const std::wstring& Title() const { return title_; }

  // Dispatches the messages already queued, without waiting for new ones.
  void ProcessMessages();

  // Every form calls this when its window exists; the first becomes the main
  // form. Modeless dialogs pass isDialog so the loop gives them keyboard
  // navigation (IsDialogMessage).
  void RegisterForm(HWND form, bool isDialog = false);
  void UnregisterForm(HWND form);
  HWND MainForm() const { return mainForm_; }

  // Shows the main form and runs the loop until Terminate() or until the
  // main form is destroyed. Exceptions thrown by handlers are reported by
  // ShowException and the loop goes on.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }

  // The application's standard error box: error icon, the title as caption.
  void ShowException(const std::exception& error) const;
  void ShowError(const std::wstring& message) const;

 private:
  Application() = default;
  bool TranslateForDialogs(MSG& msg) const;

  HINSTANCE instance_ = nullptr;
  HWND handle_ = nullptr;
  HWND mainForm_ = nullptr;
  std::vector<HWND> dialogs_;
  std::wstring title_ = L"TolvexShow";
  bool terminated_ = false;
};

}  // namespace platform
