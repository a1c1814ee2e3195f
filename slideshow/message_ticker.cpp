#include "slideshow/message_ticker.h"

#include <algorithm>

#include "slideshow/cp932_width.h"

namespace slideshow {
namespace {

// The smallest number of spaces, at most kMaxPad, whose width reaches the
// window's width. The width of a run of spaces grows with its length, so a
// binary search finds the same count as appending one space at a time, with
// ten measurements instead of up to a thousand.
int32_t PadLength(const MessageFont& font, TextMeasurer& measurer, int32_t windowWidth) {
  const std::string spaces(size_t(MessageTicker::kMaxPad), ' ');
  auto reaches = [&](int32_t n) {
    return measurer.MeasureText(font, std::string_view(spaces).substr(0, size_t(n))).width >=
           windowWidth;
  };
  int32_t lo = 0, hi = MessageTicker::kMaxPad;
  if (!reaches(hi)) return hi;  // a tiny font on a wide window: the buffer is full
  while (lo < hi) {
    const int32_t mid = lo + (hi - lo) / 2;
    if (reaches(mid)) hi = mid;
    else lo = mid + 1;
  }
  return lo;
}

}  // namespace

MessageFont MessageFontOf(const settings::MessageSettings& m) {
  const settings::MessageStyles styles = settings::StylesOf(m);
  return {m.fontName, m.fontSize, m.textColor, styles.bold, styles.italic, styles.underline,
          styles.strikeOut};
}

void MessageTicker::LayoutMessage(const settings::MessageSettings& message, TextMeasurer& measurer,
                                  int32_t windowWidth) {
  ++revision_;
  font_ = MessageFontOf(message);
  lineHeight_ = measurer.MeasureText(font_, ".").height;
  int32_t pad = PadLength(font_, measurer, windowWidth);
  pad -= pad % 2;  // an even pad: a message of full-width characters loses whole ones
  const std::string spaces(size_t(pad), ' ');
  tickerFull_ = spaces + message.messageText + spaces;
  tickerLimit_ = pad + 4;
}

void MessageTicker::tmComTimer(int32_t backBufferHeight) {
  ++revision_;
  if (tickerWidth_ >= tickerLimit_) {
    DropCp932Bytes(tickerText_, 2);
    tickerWidth_ = std::max<int64_t>(0, tickerWidth_ - 2);
    return;
  }
  ++tickerLine_;
  tickerY_ = tickerLine_ * lineHeight_;
  const int32_t tickerBottom = tickerY_ + lineHeight_;
  // A font without height would otherwise count passes for ever.
  if (tickerBottom >= backBufferHeight - 2 || lineHeight_ <= 0) {
    tickerY_ = 0;
    tickerLine_ = 0;
  }
  tickerText_ = tickerFull_;
  tickerWidth_ = Cp932Width(tickerText_);
}

}  // namespace slideshow
