#include "platform/modal_loop_win.h"

#include "platform/application_win.h"

namespace platform {

bool RunModalLoop(HWND dialog, const bool& done) {
  while (!done && !Application::Instance().Terminated()) {
    MSG message;
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(int(message.wParam));
      return false;
    }
    if (got == -1) return false;
    if (!::IsDialogMessageW(dialog, &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  return true;
}

}  // namespace platform
