#include "platform/label_size_win.h"

#include <string>

#include "platform/handles_win.h"

namespace platform {

SIZE TextExtent(HWND control, std::wstring_view text) {
  const WindowDc dc(control);
  const auto font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
  const SelectionGuard selected(dc.get(), font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
  RECT bounds{0, 0, 0, 0};
  ::DrawTextW(dc.get(), text.data(), int(text.size()), &bounds,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  return SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
}

void AutoSizeLabel(HWND label) {
  std::wstring text(size_t(::GetWindowTextLengthW(label)) + 1, L'\0');
  text.resize(size_t(::GetWindowTextW(label, text.data(), int(text.size()))));
  const SIZE size = TextExtent(label, text.empty() ? L" " : text);
  RECT old;
  ::GetWindowRect(label, &old);
  ::SetWindowPos(label, nullptr, 0, 0, text.empty() ? 0 : size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(label), reinterpret_cast<POINT*>(&old), 2);
  ::RedrawWindow(::GetParent(label), &old, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace platform
