#include "slideshow/photo_date_text.h"

#include <array>

namespace slideshow {
namespace {

struct Era {
  const char* name;
  codecs::PhotoDate firstDay;  // in the era's first year; 明治 from the Gregorian calendar on
  int32_t firstYear;           // the Western year of its year 1
};

constexpr std::array<Era, 5> kEras{{
    {"令和", {2019, 5, 1}, 2019},
    {"平成", {1989, 1, 8}, 1989},
    {"昭和", {1926, 12, 25}, 1926},
    {"大正", {1912, 7, 30}, 1912},
    {"明治", {1873, 1, 1}, 1868},
}};

bool OnOrAfter(const codecs::PhotoDate& a, const codecs::PhotoDate& b) {
  if (a.year != b.year) return a.year > b.year;
  if (a.month != b.month) return a.month > b.month;
  return a.day >= b.day;
}

// 0 for Sunday; Sakamoto's method over the proleptic Gregorian calendar.
int Weekday(const codecs::PhotoDate& d) {
  constexpr int kMonthOffset[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  const int32_t y = d.month < 3 ? d.year - 1 : d.year;
  return int((y + y / 4 - y / 100 + y / 400 + kMonthOffset[d.month - 1] + d.day) % 7);
}

std::string YearText(const codecs::PhotoDate& date, settings::DateCaption caption) {
  if (caption == settings::DateCaption::JapaneseEra) {
    for (const Era& era : kEras) {
      if (!OnOrAfter(date, era.firstDay)) continue;
      const int32_t year = date.year - era.firstYear + 1;
      return std::string(era.name) + (year == 1 ? "元" : std::to_string(year));
    }
  }
  return std::to_string(date.year);
}

}  // namespace

std::string PhotoDateText(const codecs::PhotoDate& date, settings::DateCaption caption) {
  if (caption == settings::DateCaption::Off) return {};
  constexpr std::array<const char*, 7> kWeekdays{"日", "月", "火", "水", "木", "金", "土"};
  return YearText(date, caption) + "年" + std::to_string(date.month) + "月" + std::to_string(date.day) + "日（" +
         kWeekdays[size_t(Weekday(date))] + "）";
}

}  // namespace slideshow
