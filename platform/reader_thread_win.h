#pragma once
// What a thread that reads files sets first on Windows, and the wake of a
// window's reader.
#include <windows.h>

#include <functional>

namespace platform {

// Fails critical errors instead of showing the system's box for them: an
// ejected card, an empty drive or a vanished share must never raise "no disk
// in the drive" over a top-most saver or a dialog; the read fails instead.
void SetReaderThreadErrorMode();

// Wakes `window`'s thread for the answers of its reader: a message that does
// nothing, so the thread's loop (or a modal loop) returns from its wait and
// delivers them.
std::function<void()> WakeWindow(HWND window, UINT message = WM_NULL);

}  // namespace platform
