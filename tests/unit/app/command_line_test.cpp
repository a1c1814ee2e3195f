#include "app/command_line.h"

#include <gmock/gmock.h>

namespace app {
namespace {

using ::testing::ElementsAre;

SaverMode Mode(const std::string& line) { return ModeFromArguments(SplitCommandLine(line)); }

TEST(SplitCommandLine, BlanksSeparateAndQuotesGroup) {
  EXPECT_THAT(SplitCommandLine("saver.scr  /p\t1234 "), ElementsAre("saver.scr", "/p", "1234"));
  EXPECT_THAT(SplitCommandLine("\"C:\\Program Files\\x.scr\" /c:99"),
              ElementsAre("C:\\Program Files\\x.scr", "/c:99"));
  EXPECT_THAT(SplitCommandLine("x \"a b\"c \"\" d"), ElementsAre("x", "a bc", "", "d"));
  EXPECT_THAT(SplitCommandLine(""), ElementsAre(""));
}

TEST(SplitCommandLine, BackslashesCountOnlyBeforeAQuote) {
  EXPECT_THAT(SplitCommandLine(R"(x a\b \\"c d" e\"f "g\\" "h""i")"),
              ElementsAre("x", R"(a\b)", R"(\c d)", R"(e"f)", R"(g\)", R"(h"i)"));
  // The program name keeps its backslashes, even before its closing quote.
  EXPECT_THAT(SplitCommandLine(R"("C:\dir\"/s)"), ElementsAre(R"(C:\dir\)", "/s"));
}

TEST(SplitCommandLine, MultiByteTextPassesThrough) {
  EXPECT_THAT(SplitCommandLine("x \"写真 ソ\\\""), ElementsAre("x", "写真 ソ\""));
}

TEST(ModeFromArguments, SecondCharacterOfArgumentOneInEitherCase) {
  EXPECT_EQ(Mode("x /c"), SaverMode::Settings);
  EXPECT_EQ(Mode("x /c:1234"), SaverMode::Settings);
  EXPECT_EQ(Mode("x /S"), SaverMode::Saver);
  EXPECT_EQ(Mode("x -s"), SaverMode::Saver);
  EXPECT_EQ(Mode("x xs"), SaverMode::Saver);
  EXPECT_EQ(Mode("x /sc"), SaverMode::Saver);
  EXPECT_EQ(Mode("x /P 12"), SaverMode::Preview);
  EXPECT_EQ(Mode("x /a 5"), SaverMode::Password);
  EXPECT_EQ(Mode("x \"/ s\""), SaverMode::None);
}

TEST(ModeFromArguments, NoSecondCharacterMatchesNothing) {
  EXPECT_EQ(Mode("x"), SaverMode::None);
  EXPECT_EQ(Mode("x s"), SaverMode::None);
  EXPECT_EQ(Mode("x \"\" /s"), SaverMode::None);
  EXPECT_EQ(Mode("x /x"), SaverMode::None);
  EXPECT_EQ(Mode("x /s2 /c"), SaverMode::Saver);  // only argument 1 counts
}

TEST(StrToInt, SignedAndUnsignedThirtyTwoBitDecimals) {
  EXPECT_EQ(StrToInt("1234"), 1234);
  EXPECT_EQ(StrToInt("+7"), 7);
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(StrToInt("2147483647"), INT32_MAX);
  EXPECT_EQ(uint32_t(StrToInt("4294967295")), 0xFFFFFFFFu);
  EXPECT_EQ(StrToInt("0"), 0);
}

TEST(StrToInt, AnythingElseFailsWithTheOffendingText) {
  for (const char* bad : {"", "abc", "12a", " 12", "12 ", "-", "+-1", "4294967296", "-2147483649",
                          "99999999999999999999", "0x10", "1.5"}) {
    try {
      StrToInt(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const ConversionError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("'") + bad + "' は整数ではありません");
    }
  }
}

TEST(PreviewHandleFromArguments, MissingArgumentTwoFailsAsEmptyText) {
  EXPECT_EQ(PreviewHandleFromArguments(SplitCommandLine("x /p 4711")), 4711);
  EXPECT_THROW(PreviewHandleFromArguments(SplitCommandLine("x /p abc")), ConversionError);
  try {
    PreviewHandleFromArguments(SplitCommandLine("x /p"));
    ADD_FAILURE();
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'' は整数ではありません");
  }
}

}  // namespace
}  // namespace app
