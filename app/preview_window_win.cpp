#include "app/preview_window_win.h"

namespace app {

HWND previewWnd = nullptr;

}  // namespace app
