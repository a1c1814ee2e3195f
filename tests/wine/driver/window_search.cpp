#include "tests/wine/driver/window_search.h"

#include "tests/wine/driver/wait.h"

namespace driver {

namespace {
constexpr UINT kTextTimeoutMs = 2000;

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  ::GetClassNameW(window, name, 256);
  return name;
}

struct Search {
  DWORD processId;
  const wchar_t* className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner == search.processId && (!search.className || ClassOf(window) == search.className)) {
    search.found.push_back(window);
  }
  return TRUE;
}
}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className) {
  Search search{processId, className, {}};
  ::EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindVisibleWindow(DWORD processId, const wchar_t* className) {
  for (HWND window : TopLevelWindows(processId, className)) {
    if (::IsWindowVisible(window)) return window;
  }
  return nullptr;
}

HWND WaitForVisibleWindow(DWORD processId, const wchar_t* className, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindVisibleWindow(processId, className)) != nullptr; },
            timeoutMs);
  return found;
}

std::wstring WindowText(HWND window) {
  wchar_t text[1024] = {};
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        kTextTimeoutMs, &copied);
  return std::wstring(text, size_t(copied));
}

std::vector<std::wstring> ChildTexts(HWND window) {
  std::vector<std::wstring> texts;
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    texts.push_back(WindowText(child));
  }
  return texts;
}

bool HasIconChild(HWND window) {
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
    if (ClassOf(child) != L"Static" || (style & SS_TYPEMASK) != SS_ICON) continue;
    DWORD_PTR icon = 0;
    ::SendMessageTimeoutW(child, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs, &icon);
    if (icon && ::IsWindowVisible(child)) return true;
  }
  return false;
}

void DismissMessageBox(HWND box) { ::PostMessageW(box, WM_COMMAND, IDOK, 0); }

}  // namespace driver
