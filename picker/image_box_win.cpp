#include "picker/image_box_win.h"

#include <cstring>

namespace picker {

void ImageBox::Attach(HWND box, std::function<int(int)> scale) {
  box_ = box;
  scale_ = std::move(scale);
}

void ImageBox::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  bounds_ = RECT{left, top, left + width, top + height};
  Relayout();
}

void ImageBox::Relayout() {
  if (::IsRectEmpty(&bounds_)) return;
  ::SetWindowPos(box_, nullptr, scale_(bounds_.left), scale_(bounds_.top),
                 scale_(bounds_.right - bounds_.left), scale_(bounds_.bottom - bounds_.top),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void ImageBox::SetPicture(codecs::Image picture) {
  bitmap_.Resize(picture.width, picture.height);
  if (!bitmap_.Empty()) {
    for (int32_t y = 0; y < picture.height; ++y)
      std::memcpy(bitmap_.Row(y), picture.row(y), size_t(picture.width) * sizeof(uint32_t));
  }
  ::InvalidateRect(box_, nullptr, FALSE);
}

void ImageBox::SetVisible(bool visible) {
  ::ShowWindow(box_, visible ? SW_SHOWNA : SW_HIDE);
  // Showing the box repaints it now, so the preview appears at the click.
  if (visible) ::UpdateWindow(box_);
}

void ImageBox::Draw(const DRAWITEMSTRUCT& item) const {
  if (bitmap_.Empty()) return;
  bitmap_.PresentTo(item.hDC, item.rcItem.right - item.rcItem.left,
                    item.rcItem.bottom - item.rcItem.top);
}

}  // namespace picker
