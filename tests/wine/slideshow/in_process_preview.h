#pragma once
// The saver window in preview mode inside this test process, as "/p" makes
// it: a child of a window of the test's own, created screen-sized and then
// sized to its parent. Under Wine a child window of another process does not
// reach the screen, so the preview's pixels, and the window's GDI objects,
// can only be observed this way.
#include <windows.h>

#include <optional>

#include "app/saver_window_win.h"
#include "tests/wine/driver/preview_parent.h"

namespace slideshow_test {

class InProcessPreview {
 public:
  explicit InProcessPreview(RECT area);
  InProcessPreview(const InProcessPreview&) = delete;
  InProcessPreview& operator=(const InProcessPreview&) = delete;
  ~InProcessPreview();

  RECT Area() const { return area_; }
  HWND Window() const { return form_->Handle(); }

 private:
  RECT area_;
  driver::PreviewParent parent_;
  std::optional<app::TForm1> form_;
};

}  // namespace slideshow_test
