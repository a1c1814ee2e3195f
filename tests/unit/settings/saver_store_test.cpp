#include "settings/saver_store.h"

#include <functional>
#include <vector>

#include "settings/message_settings.h"
#include "settings/registry_values.h"
#include "store_fixture.h"

namespace settings {
namespace {

using testing::StoreTest;

class SaverPictureTest : public StoreTest {
 protected:
  ReadOutcome Read() { return ReadSaverPictureSettings(reg, settings, list); }
  void Registered(int32_t count) {
    Dword("SelPhoto", 1);
    Dword("eCount", count);
  }
  SaverSettings settings;
  settings::PictureList list;
};

TEST_F(SaverPictureTest, MissingKeyEndsTheSaverAndIsNotCreated) {
  EXPECT_EQ(Read(), ReadOutcome::EndApplication);
  EXPECT_FALSE(reg.HasKey(kSettingsKeyPath));
}

TEST_F(SaverPictureTest, EmptyKeyShowsTheFolderGivenByAnEmptyText) {
  CreateKey();
  settings.picture.useRegisteredList = true;
  EXPECT_EQ(Read(), ReadOutcome::Continue);
  EXPECT_EQ(settings.picture.folder, "");
  EXPECT_FALSE(settings.picture.useRegisteredList);
}

TEST_F(SaverPictureTest, FolderLosesOneTrailingBackslash) {
  Text("dtDir", "C:\\\\");
  EXPECT_EQ(Read(), ReadOutcome::Continue);
  EXPECT_EQ(settings.picture.folder, "C:\\");
}

TEST_F(SaverPictureTest, FolderOfAnotherTypeEndsTheSaverButTheRestIsRead) {
  Dword("dtDir", 5);
  Registered(1);
  Text("File_000", "a.bmp");
  EXPECT_EQ(Read(), ReadOutcome::EndApplication);
  EXPECT_TRUE(settings.picture.useRegisteredList);
  EXPECT_EQ(list.paths[0], "a.bmp");
}

TEST_F(SaverPictureTest, FolderModeLeavesTheListAlone) {
  Dword("SelPhoto", 0);
  Dword("eCount", 2);
  Text("File_000", "a.bmp");
  list.entryCount = 7;
  EXPECT_EQ(Read(), ReadOutcome::Continue);
  EXPECT_EQ(list.entryCount, 7);
  EXPECT_EQ(list.paths[0], "");
}

TEST_F(SaverPictureTest, MissingEntryReadsEmptyAndCountsFollowN) {
  Registered(3);
  Text("File_000", "a.bmp");
  Text("File_002", "c.bmp");
  list.paths[1] = "stale";
  EXPECT_EQ(Read(), ReadOutcome::Continue);
  EXPECT_EQ(list.paths[0], "a.bmp");
  EXPECT_EQ(list.paths[1], "");
  EXPECT_EQ(list.paths[2], "c.bmp");
  EXPECT_EQ(list.entryCount, 3);
  EXPECT_EQ(list.lastIndex, 2);
}

TEST_F(SaverPictureTest, ReadsAtMost51EntriesWhateverNSays) {
  Registered(60);
  for (int i = 0; i < 60; ++i) Text(RegisteredEntryName(i), "p" + std::to_string(i));
  EXPECT_EQ(Read(), ReadOutcome::Continue);
  EXPECT_EQ(list.paths[50], "p50");
  EXPECT_EQ(list.paths[51], "");
  EXPECT_EQ(list.entryCount, 60);
  EXPECT_EQ(list.lastIndex, 59);
}

TEST_F(SaverPictureTest, NonPositiveOrUnreadableCountGivesAnEmptyList) {
  struct Case {
    std::function<void()> setCount;
    int32_t lastIndex;
  };
  for (const Case& c : {Case{[&] { Dword("eCount", 0); }, 0}, Case{[&] { Dword("eCount", -4); }, -4},
                        Case{[&] { Mistype("eCount"); }, 0}, Case{[] {}, 0}}) {
    reg = MemoryRegistry();
    Dword("SelPhoto", 1);
    Text("File_000", "a.bmp");
    c.setCount();
    list = settings::PictureList();
    list.lastIndex = 9;
    EXPECT_EQ(Read(), ReadOutcome::Continue);
    EXPECT_EQ(list.entryCount, 0);
    EXPECT_EQ(list.lastIndex, c.lastIndex);
    EXPECT_EQ(list.paths[0], "");
  }
}

TEST_F(SaverPictureTest, MistypedEntryStopsReadingAndEndsTheSaver) {
  Registered(3);
  Text("File_000", "a.bmp");
  Mistype("File_001");
  Text("File_002", "c.bmp");
  EXPECT_EQ(Read(), ReadOutcome::EndApplication);
  EXPECT_EQ(list.paths[0], "a.bmp");
  EXPECT_EQ(list.paths[2], "");
}

class SaverMessageTest : public StoreTest {
 protected:
  ReadOutcome Read() { return ReadSaverMessageSettings(reg, settings); }
  SaverSettings settings;
};

TEST_F(SaverMessageTest, MissingKeyEndsTheSaverAndChangesNothing) {
  settings.message.fontSize = 99;
  EXPECT_EQ(Read(), ReadOutcome::EndApplication);
  EXPECT_EQ(settings.message.fontSize, 99);
  EXPECT_FALSE(reg.HasKey(kSettingsKeyPath));
}

TEST_F(SaverMessageTest, EmptyKeyGivesTheSaverDefaults) {
  CreateKey();
  EXPECT_EQ(Read(), ReadOutcome::Continue);
  EXPECT_EQ(settings.message.messageText, "そんなに急いで，どこへ行くのですか？");
  EXPECT_EQ(settings.message.fontName, "ＭＳ ゴシック");
  EXPECT_EQ(settings.message.textColor, 0x0000FF00u);
  EXPECT_EQ(settings.message.fontSize, 14);
  EXPECT_EQ(settings.message.bold + settings.message.italic + settings.message.underline + settings.message.strikeOut, 0);
  EXPECT_EQ(settings.message.soundEffect, NoSound);
  EXPECT_EQ(settings.message.switchSeconds, 5);
  EXPECT_TRUE(settings.message.floating);
}

TEST_F(SaverMessageTest, MissingTextsAloneReadEmpty) {
  AllMessageIntegers();
  EXPECT_EQ(Read(), ReadOutcome::Continue);
  EXPECT_EQ(settings.message.messageText, "");
  EXPECT_EQ(settings.message.fontName, "");
  EXPECT_EQ(settings.message.fontSize, 1);
}

TEST_F(SaverMessageTest, OneBadValueReplacesTheWholeGroup) {
  for (const char* bad : {"SCRcom", "ComColor", "SCRsnd", "MoveFlag"}) {
    reg = MemoryRegistry();
    AllMessageIntegers();
    Text("SCRcom", "hello");
    Dword("FontSize", 40);
    Mistype(bad);
    EXPECT_EQ(Read(), ReadOutcome::Continue);
    EXPECT_EQ(settings.message.messageText, SaverMessageDefaults().messageText) << bad;
    EXPECT_EQ(settings.message.fontSize, 14) << bad;
  }
}

TEST_F(SaverMessageTest, StoredNumbersAreKeptAsStored) {
  AllMessageIntegers();
  Dword("fgBold", 2);
  Dword("SCRsnd", 7);
  Dword("MoveFlag", 0);
  Dword("ComColor", 0x123456);
  EXPECT_EQ(Read(), ReadOutcome::Continue);
  EXPECT_EQ(settings.message.bold, 2);
  EXPECT_EQ(settings.message.soundEffect, 7);
  EXPECT_FALSE(settings.message.floating);
  EXPECT_EQ(settings.message.textColor, 0x123456u);
}

}  // namespace
}  // namespace settings
