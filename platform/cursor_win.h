#pragma once
// The application-wide cursor shape: every form shows it over its client
// area (forms have no class cursor and answer WM_SETCURSOR with it). A null
// cursor is the empty shape: no cursor over any window of the program.
#include <windows.h>

namespace platform {

HCURSOR ApplicationCursor();
// Takes effect at once when the cursor is over one of the program's windows.
void SetApplicationCursor(HCURSOR cursor);

}  // namespace platform
