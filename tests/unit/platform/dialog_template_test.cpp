#include "platform/dialog_template.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace platform {
namespace {

// DIALOGEX 0, 0, 640, 214 with FONT 9, "X", 400, 0, 0x80: a button (class
// ordinal, text "B") and, after two bytes of padding, an edit without text.
// The same bytes seed the fuzz target.
const std::vector<uint8_t> kTwoControls = {
    0x01, 0x00, 0xff, 0xff, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x40, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x02,
    0xd6, 0x00, 0x00, 0x00, 0x00, 0x00, 0x41, 0x00, 0x00, 0x00, 0x09, 0x00,
    0x90, 0x01, 0x00, 0x80, 0x58, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x50, 0x10, 0x00, 0x20, 0x00,
    0x40, 0x00, 0x18, 0x00, 0x65, 0x00, 0x00, 0x00, 0xff, 0xff, 0x80, 0x00,
    0x42, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x50, 0x10, 0x00, 0x50, 0x00,
    0x40, 0x00, 0x18, 0x00, 0x66, 0x00, 0x00, 0x00, 0xff, 0xff, 0x81, 0x00,
    0x00, 0x00, 0x00, 0x00};

TEST(DialogTemplate, ReadsSizeFontAndEveryControlsBounds) {
  const DialogTemplate form = ParseDialogTemplate(kTwoControls.data(), kTwoControls.size());
  EXPECT_EQ(form.width, 640);
  EXPECT_EQ(form.height, 214);
  EXPECT_TRUE(form.hasFont);
  EXPECT_EQ(form.fontPoints, 9);
  EXPECT_EQ(form.fontWeight, 400);
  EXPECT_EQ(form.fontCharSet, 0x80);
  EXPECT_EQ(form.fontFace, L"X");
  ASSERT_EQ(form.items.size(), 2u);
  EXPECT_EQ(form.items[0].id, 101);
  EXPECT_EQ(form.items[1].id, 102);
  EXPECT_EQ(form.items[1].x, 16);
  EXPECT_EQ(form.items[1].y, 80);
  EXPECT_EQ(form.items[1].width, 64);
  EXPECT_EQ(form.items[1].height, 24);
}

// Every cut short of the whole, and every template that is not DIALOGEX,
// throws instead of reading past the end.
TEST(DialogTemplate, TruncatedOrForeignBytesThrow) {
  for (size_t size = 0; size < kTwoControls.size(); ++size) {
    const std::vector<uint8_t> cut(kTwoControls.begin(), kTwoControls.begin() + ptrdiff_t(size));
    EXPECT_THROW(ParseDialogTemplate(cut.data(), cut.size()), std::runtime_error) << size;
  }
  std::vector<uint8_t> plainDialog = kTwoControls;
  plainDialog[2] = 0;  // DIALOG, not DIALOGEX
  EXPECT_THROW(ParseDialogTemplate(plainDialog.data(), plainDialog.size()), std::runtime_error);
  std::vector<uint8_t> unterminated = kTwoControls;
  unterminated.resize(34);
  unterminated.insert(unterminated.end(), 64, 0x41);  // a face name without its end
  EXPECT_THROW(ParseDialogTemplate(unterminated.data(), unterminated.size()), std::runtime_error);
}

}  // namespace
}  // namespace platform
