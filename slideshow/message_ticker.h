#pragma once
// The message ticker: the user's text runs from the right edge to the left,
// two bytes every tmCom tick, one text line further down the screen at each
// pass, back at the top after the bottom. Texts are UTF-8; every length and
// step here is in CP932 bytes (cp932_width.h). The window measures and draws
// the text in the font this describes; choosing a face that shows Japanese
// where the named one is missing is the window's job.
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/message_settings.h"

namespace slideshow {

struct MessageFont {
  std::string face;
  int32_t size = 0;  // points
  uint32_t color = 0;  // 0x00BBGGRR
  bool bold = false, italic = false, underline = false, strikeOut = false;
  friend bool operator==(const MessageFont&, const MessageFont&) = default;
};

// The font of the message group, its styles by settings::StylesOf.
MessageFont MessageFontOf(const settings::MessageSettings& message);

// Measures a line of text in a font on the window's drawing surface.
class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  struct Extent {
    int32_t width = 0;
    int32_t height = 0;
  };
  virtual Extent MeasureText(const MessageFont& font, std::string_view text) = 0;
};

class MessageTicker {
 public:
  // The pad is built in a buffer of 1024 bytes, so it holds at most 1023
  // spaces; after it is made even, at most 1022.
  static constexpr int32_t kMaxPad = 1023;

  // `tickerLine` is the process-wide count of passes since the last wrap to
  // the top; it outlives the window and is never reset by a new layout.
  explicit MessageTicker(int32_t& tickerLine) : tickerLine_(tickerLine) {}

  // At every paint: the font, the line height (of "."), the pad of spaces
  // that reaches the window's width, tickerFull and tickerLimit. A pass under
  // way goes on with its old text and line.
  void LayoutMessage(const settings::MessageSettings& message, TextMeasurer& measurer,
                     int32_t windowWidth);

  // One step every 200 ms: two CP932 bytes off the front, or, once fewer than
  // tickerLimit are left, the next pass one line lower (at the top again
  // when its bottom would reach the buffer's height less 2).
  void tmComTimer(int32_t backBufferHeight);

  // Drawn at (0, tickerY) with a transparent background over the picture.
  const std::string& tickerText() const { return tickerText_; }
  int32_t tickerY() const { return tickerY_; }
  const MessageFont& font() const { return font_; }

  const std::string& tickerFull() const { return tickerFull_; }
  int32_t tickerLimit() const { return tickerLimit_; }
  int32_t lineHeight() const { return lineHeight_; }
  // Changes whenever what is drawn does: a layout, a step.
  uint64_t revision() const { return revision_; }

 private:
  int32_t& tickerLine_;
  MessageFont font_;
  int32_t lineHeight_ = 0;
  std::string tickerFull_;
  std::string tickerText_;
  int64_t tickerWidth_ = 0;  // of tickerText_, in CP932 bytes
  int32_t tickerLimit_ = 0;
  int32_t tickerY_ = 0;
  uint64_t revision_ = 0;
};

}  // namespace slideshow
