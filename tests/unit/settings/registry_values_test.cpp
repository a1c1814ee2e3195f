#include "settings/registry_values.h"

#include <gmock/gmock.h>

#include "store_fixture.h"

namespace settings {
namespace {

using ::testing::HasSubstr;
using testing::StoreTest;

class RegistryValuesTest : public StoreTest {
 protected:
  void SetUp() override {
    CreateKey();
    key = reg.OpenExisting(kSettingsKeyPath);
  }
  void TearDown() override {
    key.reset();
    StoreTest::TearDown();
  }
  std::unique_ptr<RegistryKey> key;
};

TEST_F(RegistryValuesTest, TextAcceptsBothStringTypesUnexpandedAndEndsAtFirstZero) {
  reg.PutString(kSettingsKeyPath, "a", "%WINDIR%\\x", ValueType::ExpandString);
  reg.PutRaw(kSettingsKeyPath, "b", ValueType::String, std::string("left\0right", 10));
  reg.PutRaw(kSettingsKeyPath, "c", ValueType::String, "no terminator");
  EXPECT_EQ(ReadText(*key, "a"), "%WINDIR%\\x");
  EXPECT_EQ(ReadText(*key, "b"), "left");
  EXPECT_EQ(ReadText(*key, "c"), "no terminator");
  EXPECT_EQ(ReadText(*key, "missing"), "");
}

TEST_F(RegistryValuesTest, ValueNamesIgnoreCase) {
  Dword("SCRtime", 7);
  EXPECT_EQ(ReadInteger(*key, "scrtime"), 7);
}

TEST_F(RegistryValuesTest, FailuresCarryTheirKindAndMessage) {
  Dword("num", 3);
  Text("txt", "3");
  reg.refusedQueries.insert("refused");
  const auto failure = [](auto read) -> StoreError {
    try {
      read();
    } catch (const StoreError& e) {
      return e;
    }
    ADD_FAILURE() << "no StoreError";
    return StoreError(StoreError::Kind::WriteFailed, "");
  };
  const StoreError wrongText = failure([&] { ReadText(*key, "num"); });
  EXPECT_EQ(wrongText.kind(), StoreError::Kind::WrongType);
  EXPECT_STREQ(wrongText.what(), "'num' のデータ型が不正です");

  const StoreError missingInt = failure([&] { ReadInteger(*key, "none"); });
  EXPECT_EQ(missingInt.kind(), StoreError::Kind::ReadFailed);
  EXPECT_STREQ(missingInt.what(), "'none' の取得に失敗しました");

  EXPECT_EQ(failure([&] { ReadInteger(*key, "txt"); }).kind(), StoreError::Kind::WrongType);
  EXPECT_EQ(failure([&] { ReadBoolean(*key, "none"); }).kind(), StoreError::Kind::ReadFailed);
  // A refused query is a read failure even for a text, which reads empty only when missing.
  EXPECT_EQ(failure([&] { ReadText(*key, "refused"); }).kind(), StoreError::Kind::ReadFailed);

  reg.failingSets.insert("w");
  const StoreError write = failure([&] { WriteInteger(*key, "w", 1); });
  EXPECT_EQ(write.valueName(), "w");
  EXPECT_STREQ(write.what(), "'w' の設定に失敗しました");
}

TEST_F(RegistryValuesTest, DwordOfAnotherSizeIsTheWrongType) {
  reg.PutRaw(kSettingsKeyPath, "short", ValueType::Dword, "\x01\x00");
  EXPECT_THROW(ReadInteger(*key, "short"), StoreError);
}

TEST_F(RegistryValuesTest, IntegersAreSigned32AndBooleansAnyNonZero) {
  WriteInteger(*key, "neg", -5);
  WriteInteger(*key, "color", int32_t(0xFF00FF00u));
  Dword("two", 2);
  EXPECT_EQ(ReadInteger(*key, "neg"), -5);
  EXPECT_EQ(uint32_t(ReadInteger(*key, "color")), 0xFF00FF00u);
  EXPECT_TRUE(ReadBoolean(*key, "two"));
  WriteBoolean(*key, "flag", true);
  EXPECT_EQ(ReadInteger(*key, "flag"), 1);
}

TEST_F(RegistryValuesTest, TextIsWrittenAsStringWithItsTerminator) {
  WriteText(*key, "t", "ab");
  EXPECT_EQ(Get("t")->type, ValueType::String);
  EXPECT_EQ(Get("t")->bytes, std::string("ab\0", 3));
}

TEST(RegisteredEntryName, HasThreeDigitsWithLeadingZeros) {
  EXPECT_EQ(RegisteredEntryName(0), "File_000");
  EXPECT_EQ(RegisteredEntryName(7), "File_007");
  EXPECT_EQ(RegisteredEntryName(50), "File_050");
}

}  // namespace
}  // namespace settings
