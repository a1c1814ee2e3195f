#include "tests/wine/driver/preview_parent.h"

namespace driver {

PreviewParent::PreviewParent(RECT area) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = &::DefWindowProcW;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TolvexTestPreviewParent";
  wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  ::RegisterClassW(&wc);
  window_ = ::CreateWindowExW(0, wc.lpszClassName, L"preview", WS_POPUP | WS_VISIBLE, area.left,
                              area.top, area.right - area.left, area.bottom - area.top, nullptr,
                              nullptr, wc.hInstance, nullptr);
}

std::wstring PreviewParent::Argument() const {
  return L"/p " + std::to_wstring(uint32_t(reinterpret_cast<uintptr_t>(window_)));
}

void PreviewParent::Destroy() {
  if (window_) ::DestroyWindow(window_);
  window_ = nullptr;
}

}  // namespace driver
