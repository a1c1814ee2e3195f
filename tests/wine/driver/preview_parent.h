#pragma once
// A window of the test's own that stands in for the display settings'
// preview box; its handle goes on the saver's "/p" command line.
#include <windows.h>

#include <string>

namespace driver {

class PreviewParent {
 public:
  // A visible pop-up at `area` (screen coordinates).
  explicit PreviewParent(RECT area = {40, 60, 192, 172});
  PreviewParent(const PreviewParent&) = delete;
  PreviewParent& operator=(const PreviewParent&) = delete;
  ~PreviewParent() { Destroy(); }

  HWND Handle() const { return window_; }
  // "/p <handle>".
  std::wstring Argument() const;
  void Destroy();

 private:
  HWND window_ = nullptr;
};

}  // namespace driver
