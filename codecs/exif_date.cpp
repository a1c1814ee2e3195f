#include "codecs/exif_date.h"

#include "codecs/tiff_directory.h"

namespace codecs {
namespace {

constexpr uint16_t kDateTimeTag = 0x0132;
constexpr uint16_t kExifDirectoryTag = 0x8769;
constexpr uint16_t kDateTimeOriginalTag = 0x9003;
constexpr uint16_t kDateTimeDigitizedTag = 0x9004;
constexpr uint16_t kAsciiType = 2;
constexpr uint16_t kLongType = 4;

bool IsLeapYear(int32_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int32_t DaysInMonth(int32_t year, int32_t month) {
  constexpr int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

std::optional<int32_t> Digits(Bytes text, size_t from, size_t count) {
  int32_t value = 0;
  for (size_t i = from; i < from + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

std::optional<PhotoDate> DateOf(const TiffDirectory& directory, uint16_t tag) {
  const std::optional<TiffDirectory::Entry> entry = directory.Find(tag);
  if (!entry || entry->type != kAsciiType) return std::nullopt;
  const std::optional<Bytes> text = directory.ValueBytes(*entry, 1);
  return text ? ParseExifDate(*text) : std::nullopt;
}

std::optional<TiffDirectory> ExifDirectoryOf(const TiffDirectory& first) {
  const std::optional<TiffDirectory::Entry> entry = first.Find(kExifDirectoryTag);
  if (!entry || entry->type != kLongType) return std::nullopt;
  const std::optional<uint32_t> offset = first.U32(entry->valueField);
  if (!offset) return std::nullopt;
  return first.At(*offset);
}

}  // namespace

std::optional<PhotoDate> ParseExifDate(Bytes text) {
  if (text.size() < 10 || text[4] != ':' || text[7] != ':') return std::nullopt;
  if (text.size() > 10 && text[10] != ' ' && text[10] != '\0') return std::nullopt;
  const std::optional<int32_t> year = Digits(text, 0, 4), month = Digits(text, 5, 2), day = Digits(text, 8, 2);
  if (!year || !month || !day || *year < 1 || *month < 1 || *month > 12) return std::nullopt;
  if (*day < 1 || *day > DaysInMonth(*year, *month)) return std::nullopt;
  return PhotoDate{*year, *month, *day};
}

std::optional<PhotoDate> ExifDateTaken(Bytes exif) {
  const std::optional<TiffDirectory> first = TiffDirectory::FirstOf(exif);
  if (!first) return std::nullopt;
  if (const std::optional<TiffDirectory> exifDirectory = ExifDirectoryOf(*first)) {
    for (uint16_t tag : {kDateTimeOriginalTag, kDateTimeDigitizedTag})
      if (std::optional<PhotoDate> date = DateOf(*exifDirectory, tag)) return date;
  }
  return DateOf(*first, kDateTimeTag);
}

}  // namespace codecs
