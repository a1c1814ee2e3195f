#pragma once
// imS, the preview's image box: an owner-drawn static that keeps one bitmap
// of its own and paints it onto its whole client area. Bounds come in the
// form's 96-dpi pixels and are scaled to the window's dpi, also again after
// a dpi change.
#include <windows.h>

#include <functional>

#include "picker/thumbnail.h"
#include "platform/dib_canvas_win.h"

namespace picker {

class ImageBox : public ImageBoxView {
 public:
  // scale turns a length of the 96-dpi layout into one at the window's dpi.
  void Attach(HWND box, std::function<int(int)> scale);

  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;
  void SetPicture(codecs::Image picture) override;
  void SetVisible(bool visible) override;

  // After the form laid itself out again: the box goes back where the
  // preview last put it.
  void Relayout();
  void Draw(const DRAWITEMSTRUCT& item) const;

 private:
  HWND box_ = nullptr;
  std::function<int(int)> scale_;
  RECT bounds_{};  // 96-dpi pixels; empty until the first preview
  platform::DibCanvas bitmap_;
};

}  // namespace picker
