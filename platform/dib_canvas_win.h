#pragma once
// An off-screen bitmap: a 32-bit top-down DIB section selected into its own
// memory DC. Pixels are 0x00RRGGBB, rows top-down, the layout of
// codecs::Image, so the portable code reads and writes them directly, and
// GDI draws text on the same pixels through Dc().
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/handles_win.h"

namespace platform {

class DibCanvas {
 public:
  // An empty canvas (0 x 0) has no bitmap; Resize gives it one.
  DibCanvas();
  DibCanvas(int32_t width, int32_t height);
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  // Drops the old pixels; the new ones are black (a new DIB section is zeroed).
  void Resize(int32_t width, int32_t height);

  // Direct pixel access; flushes pending GDI drawing first.
  uint32_t* Row(int32_t y);
  uint32_t* Pixels() { return Row(0); }
  void Fill(uint32_t rgb);

  HDC Dc() const { return dc_.get(); }
  // Selects a font into the DC and keeps it until the next one.
  void SetFont(const LOGFONTW& font);
  // One line of text with a transparent background; colour 0x00BBGGRR.
  void DrawTextLine(int32_t x, int32_t y, std::wstring_view text, COLORREF color);
  SIZE MeasureText(std::wstring_view text) const;

  // The whole canvas onto the whole of width x height of a target DC:
  // BitBlt at the same size, StretchBlt otherwise (HALFTONE when shrinking).
  void PresentTo(HDC target, int32_t width, int32_t height) const;

 private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  uint32_t* bits_ = nullptr;
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  std::optional<SelectionGuard> bitmapSelection_;
  UniqueFont font_;
  std::optional<SelectionGuard> fontSelection_;
};

}  // namespace platform
