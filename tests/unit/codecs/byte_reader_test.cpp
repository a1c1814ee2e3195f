// The bounds-checked reads: both byte orders, and nothing for any read that
// would reach past the end.
#include "codecs/byte_reader.h"

#include <gtest/gtest.h>

#include <array>

namespace codecs {
namespace {

constexpr std::array<uint8_t, 6> kBytes = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};

struct NumberCase {
  size_t offset;
  ByteOrder order;
  std::optional<uint16_t> u16;
  std::optional<uint32_t> u32;
};

class NumberReads : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberReads, ReadInTheirByteOrderOrNotAtAll) {
  const NumberCase& c = GetParam();
  EXPECT_EQ(ReadU16(kBytes, c.offset, c.order), c.u16);
  EXPECT_EQ(ReadU32(kBytes, c.offset, c.order), c.u32);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumberReads,
    ::testing::Values(NumberCase{0, ByteOrder::LittleEndian, 0x3412, 0x78563412},
                      NumberCase{0, ByteOrder::BigEndian, 0x1234, 0x12345678},
                      NumberCase{2, ByteOrder::BigEndian, 0x5678, 0x56789ABC},
                      NumberCase{3, ByteOrder::BigEndian, 0x789A, std::nullopt},
                      NumberCase{5, ByteOrder::LittleEndian, std::nullopt, std::nullopt},
                      NumberCase{size_t(-1), ByteOrder::BigEndian, std::nullopt, std::nullopt}));

TEST(ByteReads, ASpanIsGivenOnlyWhenItIsAllThere) {
  ASSERT_TRUE(ReadBytes(kBytes, 4, 2));
  EXPECT_EQ((*ReadBytes(kBytes, 4, 2))[1], 0xBC);
  EXPECT_FALSE(ReadBytes(kBytes, 4, 3));
  EXPECT_FALSE(ReadBytes(kBytes, size_t(-1), 2));
}

TEST(ByteReads, ATiffHeaderNamesItsByteOrder) {
  EXPECT_EQ(TiffByteOrder(std::array<uint8_t, 2>{'I', 'I'}), ByteOrder::LittleEndian);
  EXPECT_EQ(TiffByteOrder(std::array<uint8_t, 2>{'M', 'M'}), ByteOrder::BigEndian);
  EXPECT_EQ(TiffByteOrder(std::array<uint8_t, 2>{'I', 'M'}), std::nullopt);
  EXPECT_EQ(TiffByteOrder(std::array<uint8_t, 1>{'I'}), std::nullopt);
}

}  // namespace
}  // namespace codecs
