#include "app/text_mask_win.h"

#include <windows.h>

#include "platform/dib_canvas_win.h"
#include "platform/japanese_font_win.h"
#include "platform/utf16.h"

namespace app {

slideshow::TextMask RenderTextMask(const std::string& face, int32_t pixelHeight, const std::string& text) {
  LOGFONTW log{};
  log.lfHeight = -pixelHeight;
  log.lfWeight = FW_BOLD;
  log.lfCharSet = DEFAULT_CHARSET;
  log.lfQuality = ANTIALIASED_QUALITY;
  platform::JapaneseFace(platform::WideFromUtf8(face)).copy(log.lfFaceName, LF_FACESIZE - 1);
  const std::wstring wide = platform::WideFromUtf8(text);
  platform::DibCanvas canvas(1, 1);
  canvas.SetFont(log);
  const SIZE extent = canvas.MeasureText(wide);
  if (extent.cx <= 0 || extent.cy <= 0) return {};
  // Room for a glyph that reaches past its advance.
  const int32_t width = int32_t(extent.cx) + pixelHeight / 2, height = int32_t(extent.cy);
  canvas.Resize(width, height);
  canvas.SetFont(log);
  canvas.DrawTextLine(0, 0, wide, RGB(255, 255, 255));
  slideshow::TextMask mask{width, height, std::vector<uint8_t>(size_t(width) * size_t(height))};
  for (int32_t y = 0; y < height; ++y) {
    const uint32_t* row = canvas.Row(y);
    for (int32_t x = 0; x < width; ++x) mask.coverage[size_t(y) * size_t(width) + size_t(x)] = uint8_t(row[x] >> 8);
  }
  return mask;
}

}  // namespace app
