#include "app/message_font_win.h"

#include <cwchar>
#include <string>

#include "platform/japanese_font_win.h"
#include "platform/utf16.h"

namespace app {

LOGFONTW MessageLogFont(const slideshow::MessageFont& font, HDC dc) {
  LOGFONTW log{};
  log.lfHeight = -::MulDiv(font.size, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
  log.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  log.lfItalic = font.italic;
  log.lfUnderline = font.underline;
  log.lfStrikeOut = font.strikeOut;
  log.lfCharSet = DEFAULT_CHARSET;
  log.lfQuality = DEFAULT_QUALITY;
  const std::wstring face = platform::JapaneseFace(platform::WideFromUtf8(font.face));
  face.copy(log.lfFaceName, LF_FACESIZE - 1);
  return log;
}

slideshow::TextMeasurer::Extent WindowTextMeasurer::MeasureText(
    const slideshow::MessageFont& font, std::string_view text) {
  if (current_ != font) {
    selection_.reset();
    const LOGFONTW log = MessageLogFont(font, dc_.get());
    font_.reset(::CreateFontIndirectW(&log));
    if (font_) selection_.emplace(dc_.get(), font_.get());
    current_ = font;
  }
  const std::wstring wide = platform::WideFromUtf8(text);
  SIZE size{};
  ::GetTextExtentPoint32W(dc_.get(), wide.c_str(), int(wide.size()), &size);
  return {size.cx, size.cy};
}

}  // namespace app
