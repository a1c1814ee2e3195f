// fgDate through both readers and the writer: whatever stands under the key,
// the picture group reads as before and the caption is one of the three
// choices.
#include "settings/date_caption.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "settings/dialog_store.h"
#include "settings/saver_store.h"
#include "settings/store_error.h"
#include "store_fixture.h"

namespace settings {
namespace {

struct StoredCase {
  const char* name;
  std::optional<int32_t> dword;  // none: absent, or the text below
  const char* text;
  DateCaption expected;
};

class StoredDateCaption : public testing::StoreTest, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(StoredDateCaption, ReadsTheSameInTheSaverAndTheDialogAndNeverFailsTheGroup) {
  Text("dtDir", "C:\\Photos");
  Dword("SelPhoto", 0);
  if (GetParam().dword) Dword("fgDate", *GetParam().dword);
  if (GetParam().text) Text("fgDate", GetParam().text);
  SaverSettings saver;
  PictureList list;
  EXPECT_EQ(ReadSaverPictureSettings(reg, saver, list), ReadOutcome::Continue);
  EXPECT_EQ(saver.picture.folder, "C:\\Photos");
  EXPECT_EQ(saver.picture.dateCaption, GetParam().expected);
  PictureSelectionState state;
  EXPECT_FALSE(ReadDialogPictureSettings(reg, state));
  EXPECT_EQ(state.dateCaption, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, StoredDateCaption,
    ::testing::Values(StoredCase{"absent", std::nullopt, nullptr, DateCaption::Off},
                      StoredCase{"off", 0, nullptr, DateCaption::Off},
                      StoredCase{"western", 1, nullptr, DateCaption::Western},
                      StoredCase{"era", 2, nullptr, DateCaption::JapaneseEra},
                      StoredCase{"three", 3, nullptr, DateCaption::Off},
                      StoredCase{"negative", -1, nullptr, DateCaption::Off},
                      StoredCase{"text", std::nullopt, "1", DateCaption::Off}),
    [](const auto& info) { return std::string(info.param.name); });

class WriteDateCaption : public testing::StoreTest {};

TEST_F(WriteDateCaption, IsWrittenAfterEveryDocumentedValueAndReadsBack) {
  WritePictureSettings(reg, PictureSelectionResult{"C:\\Photos", false, {"C:\\Photos\\a.jpg"}, DateCaption::JapaneseEra});
  EXPECT_EQ(Get("fgDate")->bytes, std::string("\x02\0\0\0", 4));
  PictureSelectionState state;
  (void)ReadDialogPictureSettings(reg, state);
  EXPECT_EQ(state.dateCaption, DateCaption::JapaneseEra);

  reg.failingSets.insert("fgDate");
  EXPECT_THROW(WritePictureSettings(reg, PictureSelectionResult{"D:\\", true, {}, DateCaption::Western}), StoreError);
  EXPECT_EQ(Get("dtDir")->bytes, std::string("D:\\\0", 4)) << "the documented values are written first";
  EXPECT_EQ(Get("eCount")->bytes, std::string("\0\0\0\0", 4));
}

}  // namespace
}  // namespace settings
