// The day of taking from EXIF: hand-made blocks for the tags' precedence and
// every way a block or a date text can be wrong, then real files of each
// format with dates that ExifTool wrote.
#include "codecs/exif_date.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "codec_test_support.h"
#include "codecs/decode_picture.h"

namespace codecs {
namespace {

using Tags = std::vector<std::pair<uint16_t, std::string>>;  // ASCII tags and their texts

// A TIFF header, the first directory with `first` and (when `exif` is not
// empty) a pointer to an EXIF directory with `exif`; every text after both.
std::vector<uint8_t> Block(bool bigEndian, const Tags& first, const Tags& exif) {
  std::vector<uint8_t> b = {uint8_t(bigEndian ? 'M' : 'I'), uint8_t(bigEndian ? 'M' : 'I')};
  auto put = [&](size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * (bigEndian ? bytes - 1 - i : i)));
  };
  auto append = [&](uint32_t v, int bytes) {
    b.resize(b.size() + size_t(bytes));
    put(b.size() - size_t(bytes), v, bytes);
  };
  append(42, 2);
  append(8, 4);
  const size_t firstAt = 8, firstSize = 2 + 12 * (first.size() + (exif.empty() ? 0 : 1)) + 4;
  const size_t exifAt = firstAt + firstSize;
  size_t textAt = exifAt + (exif.empty() ? 0 : 2 + 12 * exif.size() + 4);
  std::vector<std::pair<size_t, std::string>> texts;
  auto directory = [&](const Tags& tags, bool withPointer) {
    append(uint32_t(tags.size() + (withPointer ? 1 : 0)), 2);
    for (const auto& [tag, text] : tags) {
      append(tag, 2);
      append(2, 2);
      append(uint32_t(text.size() + 1), 4);
      append(uint32_t(textAt), 4);
      texts.emplace_back(textAt, text);
      textAt += text.size() + 1;
    }
    if (withPointer) {
      append(0x8769, 2);
      append(4, 2);
      append(1, 4);
      append(uint32_t(exifAt), 4);
    }
    append(0, 4);
  };
  directory(first, !exif.empty());
  if (!exif.empty()) directory(exif, false);
  b.resize(textAt);
  for (const auto& [at, text] : texts) std::copy(text.begin(), text.end(), b.begin() + ptrdiff_t(at));
  return b;
}

constexpr uint16_t kDateTime = 0x0132, kOriginal = 0x9003, kDigitized = 0x9004;

struct BlockCase {
  const char* name;
  std::vector<uint8_t> block;
  std::optional<PhotoDate> expected;
};

class ExifDates : public ::testing::TestWithParam<BlockCase> {};

TEST_P(ExifDates, GiveTheFirstGoodDateOfTheThreeTags) {
  EXPECT_EQ(ExifDateTaken(GetParam().block), GetParam().expected);
}

std::vector<uint8_t> Prefixed(std::vector<uint8_t> b) {
  b.insert(b.begin(), {'E', 'x', 'i', 'f', 0, 0});
  return b;
}

std::vector<uint8_t> Cut(std::vector<uint8_t> b, size_t size) {
  b.resize(size);
  return b;
}

const Tags kAll = {{kOriginal, "2024:05:03 10:11:12"}, {kDigitized, "2023:01:02 00:00:00"}};

INSTANTIATE_TEST_SUITE_P(
    Blocks, ExifDates,
    ::testing::Values(
        BlockCase{"original_intel", Block(false, {{kDateTime, "2020:02:02 02:02:02"}}, kAll), PhotoDate{2024, 5, 3}},
        BlockCase{"original_motorola", Block(true, {{kDateTime, "2020:02:02 02:02:02"}}, kAll), PhotoDate{2024, 5, 3}},
        BlockCase{"app1_prefix", Prefixed(Block(true, {}, kAll)), PhotoDate{2024, 5, 3}},
        BlockCase{"digitized", Block(false, {{kDateTime, "2020:02:02 02:02:02"}}, {{kDigitized, "2023:01:02 00:00:00"}}),
                  PhotoDate{2023, 1, 2}},
        BlockCase{"date_time", Block(false, {{kDateTime, "2020:02:29 02:02:02"}}, {}), PhotoDate{2020, 2, 29}},
        BlockCase{"blank_original", Block(false, {}, {{kOriginal, "    :  :     :  :  "}, {kDigitized, "2001:12:31 23:59:59"}}),
                  PhotoDate{2001, 12, 31}},
        BlockCase{"zeros_everywhere", Block(false, {{kDateTime, "0000:00:00 00:00:00"}}, {{kOriginal, "0000:00:00 00:00:00"}}),
                  std::nullopt},
        BlockCase{"no_dates", Block(false, {{0x010F, "Maker"}}, {}), std::nullopt},
        BlockCase{"texts_cut_off", Cut(Block(false, {{kDateTime, "2020:02:02 02:02:02"}}, {}), 30), std::nullopt},
        BlockCase{"not_tiff", {'I', 'I', 43, 0, 8, 0, 0, 0}, std::nullopt},
        BlockCase{"empty", {}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct TextCase {
  const char* text;
  std::optional<PhotoDate> expected;
};

class ExifDateTexts : public ::testing::TestWithParam<TextCase> {};

TEST_P(ExifDateTexts, AreRealGregorianDaysOrNothing) {
  const std::string text = GetParam().text;
  EXPECT_EQ(ParseExifDate(Bytes(reinterpret_cast<const uint8_t*>(text.data()), text.size())), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ExifDateTexts,
    ::testing::Values(TextCase{"2024:05:03 10:11:12", PhotoDate{2024, 5, 3}}, TextCase{"2024:05:03", PhotoDate{2024, 5, 3}},
                      TextCase{"1868:01:01 00:00:00", PhotoDate{1868, 1, 1}},
                      TextCase{"2000:02:29 00:00:00", PhotoDate{2000, 2, 29}},
                      TextCase{"1900:02:29 00:00:00", std::nullopt}, TextCase{"2023:02:29 00:00:00", std::nullopt},
                      TextCase{"2024:04:31 00:00:00", std::nullopt}, TextCase{"2024:13:01 00:00:00", std::nullopt},
                      TextCase{"2024:00:10 00:00:00", std::nullopt}, TextCase{"2024:05:00 00:00:00", std::nullopt},
                      TextCase{"0000:01:01 00:00:00", std::nullopt}, TextCase{"2024-05-03 10:11:12", std::nullopt},
                      TextCase{"2024:5:03 10:11:12", std::nullopt}, TextCase{"2024:05:03T10:11:12", std::nullopt},
                      TextCase{"２０２４:05:03", std::nullopt}, TextCase{"2024:05:0", std::nullopt},
                      TextCase{"", std::nullopt}));

// Each photo format carries EXIF its own way; the decoded picture carries the
// day of taking, or none when the file has no date.
struct FormatCase {
  const char* file;
  const char* exiftool;  // tags to write, empty for none
  std::optional<PhotoDate> expected;
};

class DatesInFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(DatesInFormats, ComeWithTheDecodedPicture) {
  const std::string dir = testing::FixtureDir("exif_dates");
  const FormatCase& c = GetParam();
  const std::string out = dir + "/" + c.file;
  const std::string ext = out.substr(out.rfind('.') + 1);
  const std::string quality = ext == "webp" ? " -define webp:lossless=true" : "";
  if (ext == "heic") {
    // HEIF keeps its EXIF block in an item of its own, written by the
    // assembly script (the `exiftool` column holds its arguments).
    ASSERT_TRUE(testing::Convert("-size 24x16 gradient:red-blue " + out + ".png"));
    ASSERT_TRUE(testing::Run("heif-enc -q 90 " + out + ".png -o " + out + ".coded.heic >/dev/null 2>&1"));
    ASSERT_TRUE(testing::Run(std::string(TOLVEX_SOURCE_DIR) + "/tests/support/heif-assemble " + out + " " + out +
                             ".coded.heic " + c.exiftool));
  } else {
    ASSERT_TRUE(testing::Convert("-size 24x16 gradient:red-blue" + quality + " " + out));
  }
  if (*c.exiftool && ext != "heic") {
    ASSERT_TRUE(testing::Run("exiftool -q -overwrite_original " + std::string(c.exiftool) + " " + out));
  }
  const std::optional<Image> image = DecodePicture(ext, testing::ReadAll(out), JpegQuality::Saver);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->taken, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DatesInFormats,
    ::testing::Values(
        FormatCase{"original.jpg", "-DateTimeOriginal='2024:05:03 10:11:12' -ModifyDate='2020:01:01 00:00:00'",
                   PhotoDate{2024, 5, 3}},
        FormatCase{"none.jpg", "", std::nullopt},
        FormatCase{"original.png", "-DateTimeOriginal='2024:05:03 10:11:12'", PhotoDate{2024, 5, 3}},
        FormatCase{"none.png", "", std::nullopt},
        FormatCase{"original.webp", "-DateTimeOriginal='2024:05:03 10:11:12'", PhotoDate{2024, 5, 3}},
        FormatCase{"none.webp", "", std::nullopt},
        FormatCase{"turned.heic", "--exif-orientation 6 --exif-date '1989:01:08 00:00:00'", PhotoDate{1989, 1, 8}},
        FormatCase{"none.heic", "", std::nullopt}),
    [](const auto& info) {
      std::string n = info.param.file;
      for (char& ch : n) ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
      return n;
    });

}  // namespace
}  // namespace codecs
