#include "tests/wine/slideshow/screen_pixels.h"

#include <algorithm>
#include <stdexcept>

namespace slideshow_test {

RECT ScreenRect() { return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}; }

ScreenShot::ScreenShot() : ScreenShot(ScreenRect()) {}

// BitBlt from the screen into a 32-bit top-down DIB section, whose pixels
// have the 0x00RRGGBB layout.
ScreenShot::ScreenShot(RECT area)
    : width_(area.right - area.left), height_(area.bottom - area.top) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const HDC screen = ::GetDC(nullptr);
  const HDC memory = ::CreateCompatibleDC(screen);
  void* bits = nullptr;
  const HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ previous = ::SelectObject(memory, bitmap);
  const BOOL copied = ::BitBlt(memory, 0, 0, width_, height_, screen, area.left, area.top, SRCCOPY);
  ::GdiFlush();
  if (bits) {
    const auto* p = static_cast<const uint32_t*>(bits);
    pixels_.assign(p, p + size_t(width_) * size_t(height_));
    for (uint32_t& pixel : pixels_) pixel &= 0x00FFFFFF;
  }
  ::SelectObject(memory, previous);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  if (!copied || pixels_.empty()) throw std::runtime_error("the screen could not be read");
}

std::optional<RECT> ScreenShot::BoundsOf(const std::function<bool(uint32_t)>& match) const {
  std::optional<RECT> bounds;
  for (int32_t y = 0; y < height_; ++y) {
    for (int32_t x = 0; x < width_; ++x) {
      if (!match(At(x, y))) continue;
      if (!bounds) bounds = RECT{x, y, x + 1, y + 1};
      bounds->left = std::min<LONG>(bounds->left, x);
      bounds->top = std::min<LONG>(bounds->top, y);
      bounds->right = std::max<LONG>(bounds->right, x + 1);
      bounds->bottom = std::max<LONG>(bounds->bottom, y + 1);
    }
  }
  return bounds;
}

int64_t ScreenShot::Count(const std::function<bool(uint32_t)>& match) const {
  return std::count_if(pixels_.begin(), pixels_.end(), match);
}

uint32_t ScreenPixel(int32_t x, int32_t y) {
  return ScreenShot(RECT{x, y, x + 1, y + 1}).At(0, 0);
}

bool IsHalfOf(uint32_t shown, uint32_t picture) {
  for (const int shift : {0, 8, 16}) {
    const int s = int(shown >> shift & 0xFF), half = int(picture >> shift & 0xFF) / 2;
    if (s < half - 8 || s > half + 8) return false;
  }
  return true;
}

}  // namespace slideshow_test
