#include "tests/wine/slideshow/in_process_preview.h"

#include "app/preview_window_win.h"
#include "platform/application_win.h"

namespace slideshow_test {

namespace {
void InitializeApplicationOnce() {
  static const bool initialized = [] {
    platform::Application::Instance().Initialize(::GetModuleHandleW(nullptr));
    return true;
  }();
  (void)initialized;
}
}  // namespace

InProcessPreview::InProcessPreview(RECT area) : area_(area), parent_(area) {
  InitializeApplicationOnce();
  app::previewWnd = parent_.Handle();
  form_.emplace();
  form_->SetBounds(0, 0, area.right - area.left, area.bottom - area.top);
  ::ShowWindow(form_->Handle(), SW_SHOW);
}

InProcessPreview::~InProcessPreview() {
  form_.reset();
  app::previewWnd = nullptr;
}

}  // namespace slideshow_test
