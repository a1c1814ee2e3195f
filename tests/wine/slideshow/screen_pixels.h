#pragma once
// What is on the screen, read back through the screen's DC: the saver and
// its preview draw into windows of another process, and this is how a user
// would see them.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace slideshow_test {

inline constexpr uint32_t kBlack = 0x000000;

// A copy of a rectangle of the screen; pixels 0x00RRGGBB.
class ScreenShot {
 public:
  explicit ScreenShot(RECT area);
  // The whole primary screen.
  ScreenShot();

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  // Coordinates relative to the captured area.
  uint32_t At(int32_t x, int32_t y) const { return pixels_[size_t(y) * size_t(width_) + size_t(x)]; }
  // The smallest rectangle holding every pixel for which `match` holds.
  std::optional<RECT> BoundsOf(const std::function<bool(uint32_t)>& match) const;
  int64_t Count(const std::function<bool(uint32_t)>& match) const;
  bool operator==(const ScreenShot& other) const { return pixels_ == other.pixels_; }

 private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  std::vector<uint32_t> pixels_;
};

RECT ScreenRect();
// The colour of one pixel of the screen.
uint32_t ScreenPixel(int32_t x, int32_t y);
// Whether a pixel shows `picture` darkened to half (within a few steps a
// channel), as the soft backdrop of a picture of one colour is.
bool IsHalfOf(uint32_t shown, uint32_t picture);

}  // namespace slideshow_test
