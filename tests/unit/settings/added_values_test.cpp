// The values stored beside the documented ones (fgDate, fgSubFolders,
// fgShuffle) through both readers and the writer: whatever stands under the
// key, the picture group reads as before and each value reads as one of its
// choices; they are written after every documented value, so a store that
// refuses one has kept the rest.
#include <gtest/gtest.h>

#include <functional>
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
  const char* value;
  std::optional<int32_t> dword;  // none: absent, or the text below
  const char* text;
  int32_t expected;  // the choice read, as the number it is stored as
};

// The choice `value` as the saver and the dialog read it.
int32_t SaverReads(const std::string& value, const SaverSettings& s) {
  if (value == "fgDate") return int32_t(s.picture.dateCaption);
  return value == "fgSubFolders" ? s.picture.subFolders : s.picture.shuffle;
}
int32_t DialogReads(const std::string& value, const PictureSelectionState& s) {
  if (value == "fgDate") return int32_t(s.dateCaption);
  return value == "fgSubFolders" ? s.libraryChoices.subFolders : s.libraryChoices.shuffle;
}

class StoredAddedValue : public testing::StoreTest, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(StoredAddedValue, ReadsTheSameInTheSaverAndTheDialogAndNeverFailsTheGroup) {
  const StoredCase& c = GetParam();
  Text("dtDir", "C:\\Photos");
  Dword("SelPhoto", 1);
  Dword("eCount", 1);
  Text("File_000", "C:\\Photos\\a.jpg");
  if (c.dword) Dword(c.value, *c.dword);
  if (c.text) Text(c.value, c.text);

  SaverSettings saver;
  PictureList list;
  EXPECT_EQ(ReadSaverPictureSettings(reg, saver, list), ReadOutcome::Continue);
  EXPECT_EQ(saver.picture.folder, "C:\\Photos");
  EXPECT_EQ(list.entryCount, 1);
  EXPECT_EQ(SaverReads(c.value, saver), c.expected);
  PictureSelectionState state;
  EXPECT_TRUE(ReadDialogPictureSettings(reg, state));
  EXPECT_EQ(state.registeredFiles[0], "C:\\Photos\\a.jpg");
  EXPECT_EQ(DialogReads(c.value, state), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, StoredAddedValue,
    ::testing::Values(StoredCase{"dateAbsent", "fgDate", std::nullopt, nullptr, 0},
                      StoredCase{"dateOff", "fgDate", 0, nullptr, 0},
                      StoredCase{"dateWestern", "fgDate", 1, nullptr, 1},
                      StoredCase{"dateEra", "fgDate", 2, nullptr, 2},
                      StoredCase{"dateThree", "fgDate", 3, nullptr, 0},
                      StoredCase{"dateNegative", "fgDate", -1, nullptr, 0},
                      StoredCase{"dateText", "fgDate", std::nullopt, "1", 0},
                      StoredCase{"subFoldersAbsent", "fgSubFolders", std::nullopt, nullptr, 0},
                      StoredCase{"subFoldersOff", "fgSubFolders", 0, nullptr, 0},
                      StoredCase{"subFoldersOn", "fgSubFolders", 1, nullptr, 1},
                      StoredCase{"subFoldersTwo", "fgSubFolders", 2, nullptr, 0},
                      StoredCase{"shuffleAbsent", "fgShuffle", std::nullopt, nullptr, 0},
                      StoredCase{"shuffleOn", "fgShuffle", 1, nullptr, 1},
                      StoredCase{"shuffleNegative", "fgShuffle", -1, nullptr, 0},
                      StoredCase{"shuffleText", "fgShuffle", std::nullopt, "1", 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedCase {
  const char* refused;
  const char* writtenBefore;
  const char* notWritten;
};

class RefusedAddedValue : public testing::StoreTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedAddedValue, HasEveryValueBeforeItWritten) {
  reg.failingSets.insert(GetParam().refused);
  EXPECT_THROW(WritePictureSettings(reg, PictureSelectionResult{"D:\\", true, {}, DateCaption::Western, {true, true}}),
               StoreError);
  EXPECT_EQ(Get("dtDir")->bytes, std::string("D:\\\0", 4)) << "the documented values come first";
  EXPECT_EQ(Get("eCount")->bytes, std::string("\0\0\0\0", 4));
  EXPECT_TRUE(Has(GetParam().writtenBefore));
  EXPECT_FALSE(Has(GetParam().notWritten));
}

INSTANTIATE_TEST_SUITE_P(Order, RefusedAddedValue,
                         ::testing::Values(RefusedCase{"fgDate", "eCount", "fgSubFolders"},
                                           RefusedCase{"fgSubFolders", "fgDate", "fgShuffle"},
                                           RefusedCase{"fgShuffle", "fgSubFolders", "fgShuffle"}));

}  // namespace
}  // namespace settings
