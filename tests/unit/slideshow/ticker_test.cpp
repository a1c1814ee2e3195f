#include <gtest/gtest.h>

#include <vector>

#include "slideshow/message_ticker.h"

namespace slideshow {
namespace {

// Every byte is `charWidth` pixels wide; the line height is fixed.
class FixedMeasurer : public TextMeasurer {
 public:
  int32_t charWidth = 8;
  int32_t height = 19;
  std::vector<MessageFont> fonts;
  int calls = 0;
  Extent MeasureText(const MessageFont& font, std::string_view text) override {
    fonts.push_back(font);
    ++calls;
    return {int32_t(text.size()) * charWidth, height};
  }
};

settings::MessageSettings WithMessage(std::string text) {
  settings::MessageSettings s;
  s.messageText = std::move(text);
  s.fontName = "ＭＳ ゴシック";
  s.fontSize = 14;
  s.textColor = 65280;
  return s;
}

TEST(MessageFontOf, OnlyAStoredOneSwitchesAStyleOn) {
  settings::MessageSettings s = WithMessage("x");
  s.bold = 2;
  s.italic = 1;
  s.underline = -1;
  s.strikeOut = 1;
  const MessageFont f = MessageFontOf(s);
  EXPECT_FALSE(f.bold);
  EXPECT_TRUE(f.italic);
  EXPECT_FALSE(f.underline);
  EXPECT_TRUE(f.strikeOut);
  EXPECT_EQ(f.face, s.fontName);
  EXPECT_EQ(f.size, 14);
  EXPECT_EQ(f.color, 65280u);
}

TEST(LayoutMessage, PadIsTheSmallestEvenRunOfSpacesReachingTheWidth) {
  int32_t line = 0;
  MessageTicker t(line);
  FixedMeasurer m;
  // 1024 / 8 = 128 spaces exactly reach the width.
  t.LayoutMessage(WithMessage("ABC"), m, 1024);
  EXPECT_EQ(t.tickerFull(), std::string(128, ' ') + "ABC" + std::string(128, ' '));
  EXPECT_EQ(t.tickerLimit(), 132);
  EXPECT_EQ(t.lineHeight(), 19);
  // 1000 / 7 needs 143 spaces; odd, so 142.
  m.charWidth = 7;
  t.LayoutMessage(WithMessage(""), m, 1000);
  EXPECT_EQ(t.tickerFull(), std::string(284, ' '));
  EXPECT_EQ(t.tickerLimit(), 146);
  for (const MessageFont& f : m.fonts) EXPECT_EQ(f, MessageFontOf(WithMessage("")));
}

TEST(LayoutMessage, PadStopsAtTheBufferWhenTheFontIsTooNarrow) {
  int32_t line = 0;
  MessageTicker t(line);
  FixedMeasurer m;
  m.charWidth = 1;
  t.LayoutMessage(WithMessage("hi"), m, 3840);  // 1023 spaces are only 1023 pixels
  EXPECT_EQ(t.tickerLimit(), 1022 + 4);
  EXPECT_LT(m.calls, 20);
  // The ticker still runs: passes of 511 steps each follow one another.
  for (int i = 0; i < 1000; ++i) t.tmComTimer(768);
  EXPECT_EQ(line, 2);
}

TEST(LayoutMessage, ZeroWidthWindowGivesNoPad) {
  int32_t line = 0;
  MessageTicker t(line);
  FixedMeasurer m;
  t.LayoutMessage(WithMessage("abcd"), m, 0);
  EXPECT_EQ(t.tickerFull(), "abcd");
  EXPECT_EQ(t.tickerLimit(), 4);
}

TEST(TmComTimer, BeforeAnyLayoutNothingHappens) {
  int32_t line = 0;
  MessageTicker t(line);
  for (int i = 0; i < 5; ++i) t.tmComTimer(768);
  EXPECT_EQ(line, 0);
  EXPECT_EQ(t.tickerText(), "");
}

// Steps until the pass restarts and returns how many message bytes were left
// after each step of the pass.
std::vector<size_t> MessageBytesLeft(MessageTicker& t, size_t pad) {
  std::vector<size_t> left;
  const int32_t line = t.tickerY();
  do {
    t.tmComTimer(768);
    if (t.tickerText().size() > pad && t.tickerText().size() - pad <= 10) left.push_back(t.tickerText().size() - pad);
  } while (t.tickerY() == line);
  return left;
}

TEST(TmComTimer, TenByteMessageLeavesTenEightSixFourTwoThenRestarts) {
  int32_t line = 0;
  MessageTicker t(line);
  FixedMeasurer m;
  t.LayoutMessage(WithMessage("0123456789"), m, 80);  // pad of 10
  t.tmComTimer(768);  // the first pass starts, on the second line
  EXPECT_EQ(t.tickerY(), 19);
  EXPECT_EQ(t.tickerText(), t.tickerFull());
  std::vector<size_t> left = MessageBytesLeft(t, 10);
  EXPECT_EQ(left, (std::vector<size_t>{10, 8, 6, 4, 2}));
  EXPECT_EQ(t.tickerText(), t.tickerFull());  // the new pass shows it unshortened
}

// Every step takes two CP932 bytes, whatever the script: a character CP932
// cannot hold counts two like a full-width one, a surrogate pair is one
// character, and a character the step would cut leaves a space for its second
// half, so the pass has the steps the CP932 bytes would give.
TEST(TmComTimer, StepsTakeTwoCp932BytesOfAnyScript) {
  const struct {
    std::string message;
    std::vector<std::string> steps;  // the text after each step of the pass
  } cases[] = {
      {"aあい", {"aあい  ", " い  "}},
      {"ｱｲｳｴ", {"ｱｲｳｴ  ", "ｳｴ  "}},
      {"안녕😀", {"안녕😀  ", "녕😀  ", "😀  "}},
      {"a😀b", {"a😀b  ", " b  "}},
      {"Ü한", {"Ü한  ", "한  "}},
  };
  for (const auto& c : cases) {
    int32_t line = 0;
    MessageTicker t(line);
    FixedMeasurer m;
    t.LayoutMessage(WithMessage(c.message), m, 16);  // pad 2
    t.tmComTimer(768);  // the pass starts
    std::vector<std::string> steps;
    for (int32_t y = t.tickerY(); t.tickerY() == y; t.tmComTimer(768)) steps.push_back(t.tickerText());
    steps.erase(steps.begin());  // the whole text with its leading pad
    EXPECT_EQ(steps, c.steps) << c.message;
  }
}

TEST(TmComTimer, PassesRunDownTheScreenAndWrapToTheTop) {
  int32_t line = 0;
  MessageTicker t(line);
  FixedMeasurer m;
  t.LayoutMessage(WithMessage(""), m, 0);  // every step starts a pass
  std::vector<int32_t> ys;
  for (int i = 0; i < 42; ++i) {
    t.tmComTimer(768);
    ys.push_back(t.tickerY());
  }
  EXPECT_EQ(ys[0], 19);
  EXPECT_EQ(ys[1], 38);
  EXPECT_EQ(ys[38], 741);
  EXPECT_EQ(ys[39], 0);
  EXPECT_EQ(ys[40], 19);
  EXPECT_EQ(line, 2);
}

TEST(TmComTimer, LineCounterBelongsToTheProcessAndSurvivesANewTicker) {
  int32_t line = 0;
  FixedMeasurer m;
  {
    MessageTicker first(line);
    first.LayoutMessage(WithMessage(""), m, 0);
    for (int i = 0; i < 5; ++i) first.tmComTimer(768);
  }
  MessageTicker second(line);
  second.LayoutMessage(WithMessage(""), m, 0);
  second.tmComTimer(768);
  EXPECT_EQ(second.tickerY(), 6 * 19);
}

TEST(TmComTimer, FontWithoutHeightStaysAtTheTopAndCountsNoLines) {
  int32_t line = 0;
  MessageTicker t(line);
  FixedMeasurer m;
  m.height = 0;
  t.LayoutMessage(WithMessage(""), m, 0);
  for (int i = 0; i < 100; ++i) t.tmComTimer(768);
  EXPECT_EQ(t.tickerY(), 0);
  EXPECT_EQ(line, 0);
}

TEST(LayoutMessage, RepaintMidPassKeepsTheLineAndThePosition) {
  int32_t line = 0;
  MessageTicker t(line);
  FixedMeasurer m;
  t.LayoutMessage(WithMessage("first message"), m, 80);
  for (int i = 0; i < 4; ++i) t.tmComTimer(768);
  const std::string shown = t.tickerText();
  t.LayoutMessage(WithMessage("second"), m, 80);
  EXPECT_EQ(t.tickerText(), shown);
  EXPECT_EQ(t.tickerY(), 19);
  t.tmComTimer(768);
  EXPECT_EQ(t.tickerText(), shown.substr(2));  // the old text runs on until its pass ends
}

}  // namespace
}  // namespace slideshow
