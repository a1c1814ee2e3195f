#pragma once
// Input for a window of another process. The Post* functions queue the
// window messages themselves (client coordinates); the Send* functions go
// through the system's input path like a real keyboard and mouse.
#include <windows.h>

namespace driver {

void PostKeyDown(HWND window, UINT virtualKey);
void PostLeftButtonDown(HWND window, int x, int y);
void PostMouseMove(HWND window, int x, int y);

void SendKeyPress(UINT virtualKey);
// Moves the pointer to screen coordinates.
void SendMouseMoveTo(int x, int y);

}  // namespace driver
