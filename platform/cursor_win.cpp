#include "platform/cursor_win.h"

namespace platform {

namespace {
// Process-wide by nature, like the system cursor it stands for.
HCURSOR& CurrentCursor() {
  static HCURSOR cursor = ::LoadCursorW(nullptr, IDC_ARROW);
  return cursor;
}
}  // namespace

HCURSOR ApplicationCursor() { return CurrentCursor(); }

// Another program's window resets the shape at its next WM_SETCURSOR, so
// setting it right away is harmless when the mouse is elsewhere.
void SetApplicationCursor(HCURSOR cursor) {
  CurrentCursor() = cursor;
  ::SetCursor(cursor);
}

}  // namespace platform
