#include "picker/control_views_win.h"

#include "platform/handles_win.h"
#include "platform/utf16.h"

namespace picker {
namespace {

// The extent of a text in the control's own font.
SIZE TextExtent(HWND control, const std::wstring& text) {
  platform::WindowDc dc(control);
  const auto font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
  platform::SelectionGuard selected(dc.get(), font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
  RECT bounds{0, 0, 0, 0};
  ::DrawTextW(dc.get(), text.c_str(), int(text.size()), &bounds,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  return SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
}

}  // namespace

void Win32Label::SetCaption(const std::string& text) {
  ::SetWindowTextW(label_, platform::WideFromUtf8(text).c_str());
  AutoSizeLabel(label_);
}

void AutoSizeLabel(HWND label) {
  std::wstring text(size_t(::GetWindowTextLengthW(label)) + 1, L'\0');
  text.resize(size_t(::GetWindowTextW(label, text.data(), int(text.size()))));
  // An empty caption keeps one character's height, so the label stays put.
  const SIZE size = TextExtent(label, text.empty() ? L" " : text);
  RECT old;
  ::GetWindowRect(label, &old);
  ::SetWindowPos(label, nullptr, 0, 0, text.empty() ? 0 : size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The parent repaints where a longer caption stood, with the controls it
  // ran under.
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(label), reinterpret_cast<POINT*>(&old), 2);
  ::RedrawWindow(::GetParent(label), &old, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool Win32Check::Checked() const {
  return ::SendMessageW(button_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int Win32ListBox::Count() const { return int(::SendMessageW(list_, LB_GETCOUNT, 0, 0)); }

std::string Win32ListBox::Text(int index) const {
  const LRESULT length = ::SendMessageW(list_, LB_GETTEXTLEN, WPARAM(index), 0);
  if (length == LB_ERR) return {};
  std::wstring text(size_t(length) + 1, L'\0');
  const LRESULT got = ::SendMessageW(list_, LB_GETTEXT, WPARAM(index), LPARAM(text.data()));
  text.resize(got == LB_ERR ? 0 : size_t(got));
  return platform::Utf8FromWide(text);
}

bool Win32ListBox::Selected(int index) const {
  return ::SendMessageW(list_, LB_GETSEL, WPARAM(index), 0) > 0;
}

int Win32ListBox::SelectedCount() const {
  const LRESULT count = ::SendMessageW(list_, LB_GETSELCOUNT, 0, 0);
  return count == LB_ERR ? 0 : int(count);
}

int Win32ListBox::CurrentIndex() const {
  return int(::SendMessageW(list_, LB_GETCARETINDEX, 0, 0));
}

void Win32ListBox::DeselectAll() { ::SendMessageW(list_, LB_SETSEL, FALSE, LPARAM(-1)); }

void Win32ListBox::Add(const std::string& text) {
  const std::wstring wide = platform::WideFromUtf8(text);
  ::SendMessageW(list_, LB_ADDSTRING, 0, LPARAM(wide.c_str()));
  Widen(wide);
}

void Win32ListBox::Insert(int index, const std::string& text) {
  const std::wstring wide = platform::WideFromUtf8(text);
  ::SendMessageW(list_, LB_INSERTSTRING, WPARAM(index), LPARAM(wide.c_str()));
  Widen(wide);
}

void Win32ListBox::Delete(int index) { ::SendMessageW(list_, LB_DELETESTRING, WPARAM(index), 0); }

// Thousands of entries: storage reserved up front and no drawing until the
// list is complete.
void Win32ListBox::Assign(const std::vector<std::string>& items) {
  ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  extent_ = 0;
  ::SendMessageW(list_, LB_SETHORIZONTALEXTENT, 0, 0);
  std::vector<std::wstring> wide;
  wide.reserve(items.size());
  size_t characters = 0;
  for (const std::string& item : items) {
    wide.push_back(platform::WideFromUtf8(item));
    characters += wide.back().size() + 1;
  }
  ::SendMessageW(list_, LB_INITSTORAGE, WPARAM(wide.size()), LPARAM(characters * sizeof(wchar_t)));
  for (const std::wstring& item : wide) {
    ::SendMessageW(list_, LB_ADDSTRING, 0, LPARAM(item.c_str()));
    Widen(item);
  }
  ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list_, nullptr, TRUE);
}

bool Win32ListBox::MultiColumn() const {
  return (::GetWindowLongPtrW(list_, GWL_STYLE) & LBS_MULTICOLUMN) != 0;
}

// A multi-column list scrolls by columns; only a one-column list needs the
// horizontal extent of its longest entry.
void Win32ListBox::Widen(const std::wstring& text) {
  if (MultiColumn()) return;
  const int width = int(TextExtent(list_, text).cx) + 8;
  if (width <= extent_) return;
  extent_ = width;
  ::SendMessageW(list_, LB_SETHORIZONTALEXTENT, WPARAM(extent_), 0);
}

}  // namespace picker
