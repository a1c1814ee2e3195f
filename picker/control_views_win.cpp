#include "picker/control_views_win.h"

#include "platform/label_size_win.h"
#include "platform/utf16.h"

namespace picker {

void Win32Label::SetCaption(const std::string& text) {
  ::SetWindowTextW(label_, platform::WideFromUtf8(text).c_str());
  platform::AutoSizeLabel(label_);
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
  const int width = int(platform::TextExtent(list_, text).cx) + 8;
  if (width <= extent_) return;
  extent_ = width;
  ::SendMessageW(list_, LB_SETHORIZONTALEXTENT, WPARAM(extent_), 0);
}

}  // namespace picker
