// fgSubFolders and fgShuffle through both readers and the writer: whatever
// stands under the key, the picture group reads as before and each choice is
// on only for a stored 1.
#include "settings/library_choices.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "settings/dialog_store.h"
#include "settings/saver_store.h"
#include "settings/store_error.h"
#include "store_fixture.h"

namespace settings {
namespace {

// A value as it may stand under the key: absent, a number, or a text.
struct Stored {
  std::optional<int32_t> dword;
  const char* text = nullptr;
};

struct StoredCase {
  const char* name;
  Stored subFolders, shuffle;
  LibraryChoices expected;
};

class StoredLibraryChoices : public testing::StoreTest, public ::testing::WithParamInterface<StoredCase> {
 protected:
  void Put(const char* name, const Stored& stored) {
    if (stored.dword) Dword(name, *stored.dword);
    if (stored.text) Text(name, stored.text);
  }
};

TEST_P(StoredLibraryChoices, ReadTheSameInTheSaverAndTheDialogAndNeverFailTheGroup) {
  Text("dtDir", "C:\\Photos");
  Dword("SelPhoto", 1);
  Dword("eCount", 1);
  Text("File_000", "C:\\Photos\\a.jpg");
  Put("fgSubFolders", GetParam().subFolders);
  Put("fgShuffle", GetParam().shuffle);
  const LibraryChoices expected = GetParam().expected;

  SaverSettings saver;
  PictureList list;
  EXPECT_EQ(ReadSaverPictureSettings(reg, saver, list), ReadOutcome::Continue);
  EXPECT_EQ(saver.picture.folder, "C:\\Photos");
  EXPECT_EQ(list.entryCount, 1);
  EXPECT_EQ(saver.picture.subFolders, expected.subFolders);
  EXPECT_EQ(saver.picture.shuffle, expected.shuffle);

  PictureSelectionState state;
  EXPECT_TRUE(ReadDialogPictureSettings(reg, state));
  EXPECT_EQ(state.registeredFiles[0], "C:\\Photos\\a.jpg");
  EXPECT_EQ(state.libraryChoices.subFolders, expected.subFolders);
  EXPECT_EQ(state.libraryChoices.shuffle, expected.shuffle);
}

INSTANTIATE_TEST_SUITE_P(
    Values, StoredLibraryChoices,
    ::testing::Values(StoredCase{"absent", {}, {}, {false, false}},
                      StoredCase{"zero", {0}, {0}, {false, false}},
                      StoredCase{"one", {1}, {1}, {true, true}},
                      StoredCase{"subFoldersOnly", {1}, {0}, {true, false}},
                      StoredCase{"shuffleOnly", {}, {1}, {false, true}},
                      StoredCase{"text", {std::nullopt, "1"}, {std::nullopt, "1"}, {false, false}},
                      StoredCase{"two", {2}, {2}, {false, false}},
                      StoredCase{"negative", {-1}, {-1}, {false, false}}),
    [](const auto& info) { return std::string(info.param.name); });

class WrittenLibraryChoices : public testing::StoreTest {};

// The choices come after every documented value and the date caption, so
// a store that refuses them has already kept everything else.
TEST_F(WrittenLibraryChoices, AreWrittenAfterEveryOtherValue) {
  reg.failingSets.insert("fgSubFolders");
  EXPECT_THROW(WritePictureSettings(reg, PictureSelectionResult{"D:\\", true, {}, DateCaption::Western, {false, true}}),
               StoreError);
  EXPECT_EQ(Get("dtDir")->bytes, std::string("D:\\\0", 4));
  EXPECT_EQ(Get("fgDate")->bytes, std::string("\x01\0\0\0", 4));
  EXPECT_FALSE(Get("fgShuffle")) << "fgShuffle comes after fgSubFolders";
}

}  // namespace
}  // namespace settings
