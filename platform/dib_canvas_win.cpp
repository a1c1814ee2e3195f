#include "platform/dib_canvas_win.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace platform {

DibCanvas::DibCanvas() : dc_(::CreateCompatibleDC(nullptr)) {
  if (!dc_) throw std::runtime_error("CreateCompatibleDC failed");
}

DibCanvas::DibCanvas(int32_t width, int32_t height) : DibCanvas() { Resize(width, height); }

void DibCanvas::Resize(int32_t width, int32_t height) {
  bitmapSelection_.reset();
  bitmap_.reset();
  bits_ = nullptr;
  width_ = height_ = 0;
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_.reset(::CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap_ || !bits) throw std::bad_alloc();
  bitmapSelection_.emplace(dc_.get(), bitmap_.get());
  bits_ = static_cast<uint32_t*>(bits);
  width_ = width;
  height_ = height;
}

uint32_t* DibCanvas::Row(int32_t y) {
  ::GdiFlush();
  return bits_ + size_t(y) * size_t(width_);
}

void DibCanvas::Fill(uint32_t rgb) {
  if (Empty()) return;
  std::fill_n(Row(0), size_t(width_) * size_t(height_), rgb);
}

void DibCanvas::SetFont(const LOGFONTW& font) {
  fontSelection_.reset();
  font_.reset(::CreateFontIndirectW(&font));
  if (font_) fontSelection_.emplace(dc_.get(), font_.get());
}

void DibCanvas::DrawTextLine(int32_t x, int32_t y, std::wstring_view text, COLORREF color) {
  ::SetBkMode(dc_.get(), TRANSPARENT);
  ::SetTextColor(dc_.get(), color);
  ::TextOutW(dc_.get(), x, y, text.data(), int(text.size()));
}

SIZE DibCanvas::MeasureText(std::wstring_view text) const {
  SIZE size{};
  ::GetTextExtentPoint32W(dc_.get(), text.data(), int(text.size()), &size);
  return size;
}

void DibCanvas::PresentTo(HDC target, int32_t width, int32_t height) const {
  if (Empty()) return;
  if (width == width_ && height == height_) {
    ::BitBlt(target, 0, 0, width, height, dc_.get(), 0, 0, SRCCOPY);
    return;
  }
  const bool shrinking = width < width_ || height < height_;
  const int previous = ::SetStretchBltMode(target, shrinking ? HALFTONE : COLORONCOLOR);
  if (shrinking) ::SetBrushOrgEx(target, 0, 0, nullptr);
  ::StretchBlt(target, 0, 0, width, height, dc_.get(), 0, 0, width_, height_, SRCCOPY);
  ::SetStretchBltMode(target, previous);
}

}  // namespace platform
