#pragma once
// The application object: a hidden top-level window that carries the
// program's task-bar button and owns every form, the message loop with the
// main-form rule (the first form registered is the main form; destroying it
// ends the loop), the terminate request, and the error box for exceptions
// that reach the loop.
//
// Between messages the loop gives time to a clockwork (the saver window's
// ticks) and then waits for the next message or the clockwork's next wake,
// whichever comes first, with a high-resolution timer: window timers step by
// about 15.6 ms and cannot keep the faster tempos. Without a clockwork it
// waits for messages only.
#include <windows.h>

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "platform/tick_clock_win.h"

namespace platform {

// Work the loop runs between messages, on the loop's thread.
class LoopClockwork {
 public:
  virtual ~LoopClockwork() = default;
  // Runs whatever is due now; exceptions go to the error box.
  virtual void Step() = 0;
  // The Clock() time at which Step next has work; none: only a message.
  virtual std::optional<int64_t> NextWake() const = 0;
};

class Application {
 public:
  static Application& Instance();

  // Creates the hidden application window; call once before any form.
  void Initialize(HINSTANCE instance);
  HINSTANCE Instance_() const { return instance_; }
  HWND Handle() const { return handle_; }
  const std::wstring& Title() const { return title_; }

  // Dispatches the messages already queued, without waiting for new ones;
  // safe inside a handler, since it never runs the clockwork.
  void ProcessMessages();

  // The clockwork of the loop, or nullptr; not owned. Modal loops (dialogs,
  // message boxes) never run it, so it is not re-entered from its own work.
  void SetClockwork(LoopClockwork* clockwork) { clockwork_ = clockwork; }
  LoopClockwork* Clockwork() const { return clockwork_; }
  const TickClock& Clock() const { return clock_; }

  // One turn of the loop without waiting: the queued messages, then the
  // clockwork's due work. False once the quit request has been taken. A test
  // that runs its own loop calls this where Run would.
  bool PumpOnce();
  // When the loop has to wake next, in Clock() time; none: only a message.
  std::optional<int64_t> NextWake() const;

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
  bool DispatchQueued();
  void StepClockwork();

  HINSTANCE instance_ = nullptr;
  HWND handle_ = nullptr;
  HWND mainForm_ = nullptr;
  std::vector<HWND> dialogs_;
  std::wstring title_ = L"TolvexShow";
  bool terminated_ = false;
  TickClock clock_;
  LoopClockwork* clockwork_ = nullptr;
};

}  // namespace platform
