// fgKeys through the saver's reader: whatever stands there, the picture group
// reads as before and the keys are on only for a stored 1; written as 1 or 0.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "settings/saver_store.h"
#include "settings/show_keys.h"
#include "store_fixture.h"

namespace settings {
namespace {

struct KeysCase {
  const char* name;
  std::optional<int32_t> dword;  // none: absent, or the text below
  const char* text;
  bool on;
};

class StoredShowKeys : public testing::StoreTest, public ::testing::WithParamInterface<KeysCase> {};

TEST_P(StoredShowKeys, ReadsAsOnOnlyForOneAndNeverFailsTheGroup) {
  const KeysCase& c = GetParam();
  Text("dtDir", "C:\\Photos");
  Dword("SelPhoto", 1);
  Dword("eCount", 1);
  Text("File_000", "C:\\Photos\\a.jpg");
  if (c.dword) Dword("fgKeys", *c.dword);
  if (c.text) Text("fgKeys", c.text);

  SaverSettings saver;
  PictureList list;
  EXPECT_EQ(ReadSaverPictureSettings(reg, saver, list), ReadOutcome::Continue);
  EXPECT_EQ(saver.picture.folder, "C:\\Photos");
  EXPECT_EQ(list.paths[0], "C:\\Photos\\a.jpg");
  EXPECT_EQ(saver.picture.keys, c.on);
}

INSTANTIATE_TEST_SUITE_P(Values, StoredShowKeys,
                         ::testing::Values(KeysCase{"absent", std::nullopt, nullptr, false},
                                           KeysCase{"off", 0, nullptr, false},
                                           KeysCase{"on", 1, nullptr, true},
                                           KeysCase{"two", 2, nullptr, false},
                                           KeysCase{"negative", -1, nullptr, false},
                                           KeysCase{"text", std::nullopt, "1", false}),
                         [](const auto& info) { return std::string(info.param.name); });

class WrittenShowKeys : public testing::StoreTest {};

TEST_F(WrittenShowKeys, ReadsBackWhatWasWritten) {
  for (const bool on : {true, false}) {
    {
      const auto key = reg.OpenOrCreate(kSettingsKeyPath);
      WriteShowKeys(*key, on);
      EXPECT_EQ(Get("fgKeys")->type, ValueType::Dword);
    }
    SaverSettings saver;
    PictureList list;
    (void)ReadSaverPictureSettings(reg, saver, list);
    EXPECT_EQ(saver.picture.keys, on);
  }
}

}  // namespace
}  // namespace settings
