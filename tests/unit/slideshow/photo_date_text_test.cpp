// The caption's two forms on either side of every era's first day, the first
// year of each era, the weekdays, and the days before the Gregorian calendar.
#include "slideshow/photo_date_text.h"

#include <gtest/gtest.h>

namespace slideshow {
namespace {

using settings::DateCaption;

struct DateCase {
  codecs::PhotoDate date;
  const char* western;
  const char* era;
};

class PhotoDateTexts : public ::testing::TestWithParam<DateCase> {};

TEST_P(PhotoDateTexts, ReadInBothForms) {
  EXPECT_EQ(PhotoDateText(GetParam().date, DateCaption::Western), GetParam().western);
  EXPECT_EQ(PhotoDateText(GetParam().date, DateCaption::JapaneseEra), GetParam().era);
  EXPECT_EQ(PhotoDateText(GetParam().date, DateCaption::Off), "");
}

INSTANTIATE_TEST_SUITE_P(
    Eras, PhotoDateTexts,
    ::testing::Values(
        DateCase{{2024, 5, 3}, "2024年5月3日（金）", "令和6年5月3日（金）"},
        DateCase{{2024, 5, 2}, "2024年5月2日（木）", "令和6年5月2日（木）"},
        DateCase{{2019, 5, 1}, "2019年5月1日（水）", "令和元年5月1日（水）"},
        DateCase{{2019, 4, 30}, "2019年4月30日（火）", "平成31年4月30日（火）"},
        DateCase{{2020, 1, 1}, "2020年1月1日（水）", "令和2年1月1日（水）"},
        DateCase{{1989, 1, 8}, "1989年1月8日（日）", "平成元年1月8日（日）"},
        DateCase{{1989, 1, 7}, "1989年1月7日（土）", "昭和64年1月7日（土）"},
        DateCase{{1926, 12, 25}, "1926年12月25日（土）", "昭和元年12月25日（土）"},
        DateCase{{1926, 12, 24}, "1926年12月24日（金）", "大正15年12月24日（金）"},
        DateCase{{1912, 7, 30}, "1912年7月30日（火）", "大正元年7月30日（火）"},
        DateCase{{1912, 7, 29}, "1912年7月29日（月）", "明治45年7月29日（月）"},
        DateCase{{1873, 1, 1}, "1873年1月1日（水）", "明治6年1月1日（水）"},
        DateCase{{1872, 12, 31}, "1872年12月31日（火）", "1872年12月31日（火）"},
        DateCase{{1, 1, 1}, "1年1月1日（月）", "1年1月1日（月）"},
        DateCase{{2000, 2, 29}, "2000年2月29日（火）", "平成12年2月29日（火）"},
        DateCase{{2024, 12, 29}, "2024年12月29日（日）", "令和6年12月29日（日）"},
        DateCase{{2024, 12, 30}, "2024年12月30日（月）", "令和6年12月30日（月）"},
        DateCase{{2024, 12, 28}, "2024年12月28日（土）", "令和6年12月28日（土）"},
        DateCase{{9999, 12, 31}, "9999年12月31日（金）", "令和7981年12月31日（金）"}));

}  // namespace
}  // namespace slideshow
