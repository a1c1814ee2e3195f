// The EXIF reader on hand-made blocks: both byte orders, with and without the
// APP1 prefix, and every way a block can be wrong, each of which gives 1.
#include "codecs/exif_orientation.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace codecs {
namespace {

// A TIFF header and one directory holding the given (tag, type, value)
// entries, in the chosen byte order.
std::vector<uint8_t> Block(bool bigEndian, const std::vector<std::array<uint16_t, 3>>& entries,
                           bool withPrefix = false) {
  std::vector<uint8_t> b;
  auto u16 = [&](uint16_t v) {
    if (bigEndian) {
      b.push_back(uint8_t(v >> 8));
      b.push_back(uint8_t(v));
    } else {
      b.push_back(uint8_t(v));
      b.push_back(uint8_t(v >> 8));
    }
  };
  auto u32 = [&](uint32_t v) {
    if (bigEndian) {
      u16(uint16_t(v >> 16));
      u16(uint16_t(v));
    } else {
      u16(uint16_t(v));
      u16(uint16_t(v >> 16));
    }
  };
  if (withPrefix) b = {'E', 'x', 'i', 'f', 0, 0};
  b.push_back(bigEndian ? 'M' : 'I');
  b.push_back(bigEndian ? 'M' : 'I');
  u16(42);
  u32(8);
  u16(uint16_t(entries.size()));
  for (const auto& [tag, type, value] : entries) {
    u16(tag);
    u16(type);
    u32(1);
    u16(value);
    u16(0);
  }
  u32(0);
  return b;
}

struct ExifCase {
  const char* name;
  std::vector<uint8_t> block;
  int expected;
};

class ExifReading : public ::testing::TestWithParam<ExifCase> {};

TEST_P(ExifReading, GivesTheOrientationOrOne) {
  EXPECT_EQ(ExifOrientation(GetParam().block), GetParam().expected) << GetParam().name;
}

std::vector<uint8_t> Cut(std::vector<uint8_t> b, size_t size) {
  b.resize(size);
  return b;
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, ExifReading,
    ::testing::Values(
        ExifCase{"intel", Block(false, {{0x0112, 3, 6}}), 6},
        ExifCase{"motorola", Block(true, {{0x0112, 3, 8}}), 8},
        ExifCase{"app1_prefix", Block(true, {{0x0112, 3, 3}}, true), 3},
        ExifCase{"after_other_tags", Block(false, {{0x010F, 2, 0}, {0x0110, 2, 0}, {0x0112, 3, 5}}), 5},
        ExifCase{"no_orientation", Block(false, {{0x010F, 2, 0}}), 1},
        ExifCase{"zero", Block(false, {{0x0112, 3, 0}}), 1},
        ExifCase{"nine", Block(true, {{0x0112, 3, 9}}), 1},
        ExifCase{"not_a_short", Block(false, {{0x0112, 4, 6}}), 1},
        ExifCase{"entry_cut_short", Cut(Block(false, {{0x0112, 3, 6}}), 18), 1},
        ExifCase{"count_past_the_end", Cut(Block(false, {{0x010F, 2, 0}, {0x0112, 3, 6}}), 22), 1},
        ExifCase{"bad_byte_order", {'I', 'M', 42, 0, 8, 0, 0, 0}, 1},
        ExifCase{"bad_magic", {'I', 'I', 43, 0, 8, 0, 0, 0}, 1},
        ExifCase{"directory_outside", {'I', 'I', 42, 0, 0xFF, 0xFF, 0xFF, 0xFF}, 1},
        ExifCase{"empty", {}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace codecs
