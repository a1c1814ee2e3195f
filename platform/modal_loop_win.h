#pragma once
// The nested message loop of a modal dialog.
#include <windows.h>

namespace platform {

// Runs the thread's messages, with the dialog's keyboard navigation, until
// `done` is set or the application terminates. Returns false when the loop
// ended otherwise: a WM_QUIT (posted again for the outer loop) or a failing
// GetMessage.
bool RunModalLoop(HWND dialog, const bool& done);

}  // namespace platform
