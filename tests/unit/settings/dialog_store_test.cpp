#include "settings/dialog_store.h"

#include <gmock/gmock.h>

#include "settings/registry_values.h"
#include "settings/saver_store.h"
#include "store_fixture.h"

namespace settings {
namespace {

using ::testing::ElementsAre;
using ::testing::Pair;
using testing::StoreTest;

using DialogMessageTest = StoreTest;

TEST_F(DialogMessageTest, NoKeyGivesTheDialogDefaultsAndCreatesTheEmptyKey) {
  const MessageSettings m = ReadDialogMessageSettings(reg);
  EXPECT_EQ(m.messageText, "明日できることは明日に伸ばそう");
  EXPECT_EQ(m.fontName, "ＭＳ ゴシック");
  EXPECT_EQ(m.textColor, 0x0000FF00u);
  EXPECT_EQ(m.fontSize, 26);
  EXPECT_EQ(m.bold + m.italic + m.underline + m.strikeOut, 0);
  EXPECT_EQ(m.switchSeconds, 10);
  EXPECT_TRUE(m.floating);
  EXPECT_EQ(m.soundEffect, Beep);
  EXPECT_TRUE(reg.HasKey(kSettingsKeyPath));
  EXPECT_TRUE(reg.ValuesOf(kSettingsKeyPath).empty());
}

TEST_F(DialogMessageTest, OneBadValueReplacesTheWholeGroupEvenWhenReadLast) {
  AllMessageIntegers();
  Text("SCRcom", "typed");
  reg.refusedQueries.insert("SCRsnd");
  const MessageSettings m = ReadDialogMessageSettings(reg);
  EXPECT_EQ(m.messageText, DialogMessageDefaults().messageText);
  EXPECT_EQ(m.fontSize, 26);
}

TEST_F(DialogMessageTest, SoundOtherThanBeepOrSystemSoundIsTheNoSoundChoice) {
  for (const auto& [stored, choice] : {std::pair{1, Beep}, {2, SystemSound}, {3, NoSound}, {0, NoSound},
                                       {7, NoSound}, {-1, NoSound}}) {
    AllMessageIntegers();
    Dword("SCRsnd", stored);
    EXPECT_EQ(ReadDialogMessageSettings(reg).soundEffect, choice) << stored;
  }
}

TEST_F(DialogMessageTest, MissingTextsReadEmptyAndStylesKeepTheirNumbers) {
  AllMessageIntegers();
  Dword("fgItalic", 2);
  const MessageSettings m = ReadDialogMessageSettings(reg);
  EXPECT_EQ(m.messageText, "");
  EXPECT_EQ(m.italic, 2);
}

class WriteMessageTest : public StoreTest {
 protected:
  MessageSettings Sample() {
    MessageSettings m = DialogMessageDefaults();
    m.messageText = "ソフト十表";  // trail bytes 0x5C in CP932
    m.bold = 2;
    m.soundEffect = SystemSound;
    m.switchSeconds = 42;
    m.floating = false;
    return m;
  }
};

TEST_F(WriteMessageTest, WritesEveryValueWithItsKindAndReadsBackInBothReaders) {
  WriteMessageSettings(reg, Sample());
  EXPECT_EQ(Get("SCRcom")->type, ValueType::String);
  EXPECT_EQ(Get("MoveFlag")->type, ValueType::Dword);
  EXPECT_EQ(reg.ValuesOf(kSettingsKeyPath).size(), 11u);

  const MessageSettings dialog = ReadDialogMessageSettings(reg);
  EXPECT_EQ(dialog.messageText, Sample().messageText);
  EXPECT_EQ(dialog.bold, 2);  // a stored 2 goes back as 2
  EXPECT_EQ(dialog.switchSeconds, 42);
  EXPECT_FALSE(dialog.floating);
  EXPECT_EQ(dialog.soundEffect, SystemSound);

  SaverSettings saver;
  EXPECT_EQ(ReadSaverMessageSettings(reg, saver), ReadOutcome::Continue);
  EXPECT_EQ(saver.message.messageText, Sample().messageText);
  EXPECT_EQ(saver.message.fontSize, 26);
}

TEST_F(WriteMessageTest, SoundOutsideTheChoicesIsWrittenAsNoSound) {
  MessageSettings m = Sample();
  m.soundEffect = 7;
  WriteMessageSettings(reg, m);
  EXPECT_EQ(ReadDialogMessageSettings(reg).soundEffect, NoSound);
  EXPECT_EQ(Get("SCRsnd")->bytes, std::string("\x03\0\0\0", 4));
}

TEST_F(WriteMessageTest, AFailureStopsAtThatValueAndKeepsTheEarlierOnes) {
  reg.failingSets.insert("fgItalic");
  try {
    WriteMessageSettings(reg, Sample());
    FAIL() << "no error";
  } catch (const StoreError& e) {
    EXPECT_STREQ(e.what(), "'fgItalic' の設定に失敗しました");
  }
  EXPECT_TRUE(Has("fgBold"));
  EXPECT_FALSE(Has("fgUnderline"));
  EXPECT_FALSE(Has("SCRsnd"));
}

TEST_F(WriteMessageTest, AKeyThatCannotBeCreatedFailsAtTheFirstValue) {
  reg.failCreate = true;
  try {
    WriteMessageSettings(reg, Sample());
    FAIL() << "no error";
  } catch (const StoreError& e) {
    EXPECT_EQ(e.valueName(), "SCRcom");
  }
  EXPECT_FALSE(reg.HasKey(kSettingsKeyPath));
}

class DialogPictureTest : public StoreTest {
 protected:
  bool Read() { return ReadDialogPictureSettings(reg, state); }
  PictureSelectionState state;
  void SetUp() override { state.startDirectory = "D:\\Work"; }
};

TEST_F(DialogPictureTest, FolderFallsBackToTheStartDirectoryAndKeepsItsBackslash) {
  EXPECT_FALSE(Read());  // no key: rbSelFolder, and the key is created
  EXPECT_TRUE(reg.HasKey(kSettingsKeyPath));
  EXPECT_EQ(state.pictureFolder, "D:\\Work");
  EXPECT_EQ(state.driveLetter, 'D');

  Text("dtDir", "");
  (void)Read();
  EXPECT_EQ(state.pictureFolder, "D:\\Work");

  Dword("dtDir", 3);
  (void)Read();
  EXPECT_EQ(state.pictureFolder, "D:\\Work");

  Text("dtDir", "C:\\");
  (void)Read();
  EXPECT_EQ(state.pictureFolder, "C:\\");
  EXPECT_EQ(state.driveLetter, 'C');
}

TEST_F(DialogPictureTest, SelPhotoChoosesTheRadioButton) {
  Dword("SelPhoto", 5);
  EXPECT_TRUE(Read());
  Mistype("SelPhoto");
  EXPECT_FALSE(Read());
}

TEST_F(DialogPictureTest, CountIsAsStoredWhileAtMost51EntriesAreRead) {
  Dword("eCount", 60);
  for (int i = 0; i < 60; ++i) Text(RegisteredEntryName(i), "p" + std::to_string(i));
  (void)Read();
  EXPECT_EQ(state.registeredCount, 60);
  EXPECT_EQ(state.registeredFiles[50], "p50");
  EXPECT_EQ(state.registeredFiles[51], "");
}

TEST_F(DialogPictureTest, AFailingEntryEndsTheLoopAndLaterSlotsKeepTheirText) {
  Dword("eCount", 4);
  Text("File_000", "new0");
  Mistype("File_002");
  Text("File_003", "new3");
  state.registeredFiles[1] = "old1";
  state.registeredFiles[3] = "old3";
  (void)Read();
  EXPECT_EQ(state.registeredFiles[0], "new0");
  EXPECT_EQ(state.registeredFiles[1], "");  // missing reads as empty
  EXPECT_EQ(state.registeredFiles[3], "old3");
}

TEST_F(DialogPictureTest, UnreadableCountIsZeroAndReadsNoEntry) {
  Mistype("eCount");
  Text("File_000", "x");
  (void)Read();
  EXPECT_EQ(state.registeredCount, 0);
  EXPECT_EQ(state.registeredFiles[0], "");
}

class WritePictureTest : public StoreTest {
 protected:
  static PictureSelectionResult List(int n) {
    PictureSelectionResult r{"C:\\Photos", true, {}};
    for (int i = 0; i < n; ++i) r.registeredList.push_back("C:\\Photos\\" + std::to_string(i) + ".bmp");
    return r;
  }
  void StoredList(int count, int present) {
    Dword("eCount", count);
    for (int i = 0; i < present; ++i) Text(RegisteredEntryName(i), "old");
  }
  std::vector<std::string> EntryNames() const {
    std::vector<std::string> names;
    for (const auto& [name, value] : reg.ValuesOf(kSettingsKeyPath))
      if (name.rfind("File_", 0) == 0) names.push_back(name);
    return names;
  }
};

TEST_F(WritePictureTest, ShorterListReplacesTheOldEntries) {
  StoredList(5, 5);
  WritePictureSettings(reg, List(2));
  EXPECT_THAT(EntryNames(), ElementsAre("File_000", "File_001"));
  EXPECT_EQ(Get("File_001")->bytes, std::string("C:\\Photos\\1.bmp\0", 16));
  EXPECT_EQ(Get("eCount")->bytes, std::string("\x02\0\0\0", 4));
  EXPECT_EQ(Get("dtDir")->bytes, std::string("C:\\Photos\0", 10));
  EXPECT_EQ(Get("SelPhoto")->bytes, std::string("\x01\0\0\0", 4));
}

TEST_F(WritePictureTest, DeletesUpToFile050AndWritesAtMost50) {
  StoredList(60, 60);
  WritePictureSettings(reg, List(55));
  EXPECT_EQ(EntryNames().size(), 59u);  // File_000..File_049 new, File_051..File_059 left unread
  EXPECT_FALSE(Has("File_050"));
  EXPECT_EQ(Get("File_055")->bytes, std::string("old\0", 4));
  EXPECT_EQ(Get("eCount")->bytes, std::string("\x32\0\0\0", 4));
}

TEST_F(WritePictureTest, EntriesBeyondTheOldCountStay) {
  StoredList(2, 4);
  WritePictureSettings(reg, List(1));
  EXPECT_THAT(EntryNames(), ElementsAre("File_000", "File_002", "File_003"));
}

TEST_F(WritePictureTest, MissingEntriesAreSkippedAndADeleteErrorEndsTheDeleting) {
  StoredList(5, 5);
  reg.failingDeletes.insert("File_003");
  {
    auto key = reg.OpenExisting(kSettingsKeyPath);
    EXPECT_EQ(key->DeleteValue("File_001"), DeleteStatus::Ok);
  }
  WritePictureSettings(reg, List(0));
  EXPECT_THAT(EntryNames(), ElementsAre("File_003", "File_004"));
  EXPECT_EQ(Get("eCount")->bytes, std::string("\0\0\0\0", 4));
}

TEST_F(WritePictureTest, UnreadableOldCountDeletesNothing) {
  StoredList(0, 3);
  Mistype("eCount");
  WritePictureSettings(reg, List(1));
  EXPECT_THAT(EntryNames(), ElementsAre("File_000", "File_001", "File_002"));
  EXPECT_EQ(Get("File_000")->bytes, std::string("C:\\Photos\\0.bmp\0", 16));
}

TEST_F(WritePictureTest, AFailingEntryStopsTheWriteAfterTheCount) {
  reg.failingSets.insert("File_001");
  EXPECT_THROW(WritePictureSettings(reg, List(3)), StoreError);
  EXPECT_THAT(EntryNames(), ElementsAre("File_000"));
  EXPECT_TRUE(Has("eCount"));
}

TEST_F(WritePictureTest, RoundTripsThroughTheDialogReader) {
  WritePictureSettings(reg, List(3));
  PictureSelectionState state;
  EXPECT_TRUE(ReadDialogPictureSettings(reg, state));
  EXPECT_EQ(state.pictureFolder, "C:\\Photos");
  EXPECT_EQ(state.registeredCount, 3);
  EXPECT_EQ(state.registeredFiles[2], "C:\\Photos\\2.bmp");
}

// Whatever the script, a text comes back from both readers as it was written:
// the store's rules look at no byte but the zero that ends a text.
TEST_F(WritePictureTest, TextsOfAnyScriptAndLengthRoundTripThroughBothReaders) {
  const std::string texts[] = {
      "C:\\사진폴더\\풍경.bmp",
      "C:\\😀\\𠮷 Ünïcödé.bmp",
      "C:\\\xED\xA0\x80x.bmp",  // a lone surrogate from a file name
      "C:\\" + std::string(32000, 'p') + ".bmp",
  };
  for (const std::string& text : texts) {
    MessageSettings m = DialogMessageDefaults();
    m.messageText = text + std::string(1 << 20, 'm');
    WriteMessageSettings(reg, m);
    WritePictureSettings(reg, {text, true, {text, text + "\\"}});

    PictureSelectionState state;
    ASSERT_TRUE(ReadDialogPictureSettings(reg, state));
    EXPECT_EQ(state.pictureFolder, text);
    EXPECT_EQ(state.registeredFiles[1], text + "\\");
    EXPECT_TRUE(ReadDialogMessageSettings(reg).messageText == m.messageText);
    SaverSettings saver;
    settings::PictureList list;
    ASSERT_EQ(ReadSaverPictureSettings(reg, saver, list), ReadOutcome::Continue);
    ASSERT_EQ(ReadSaverMessageSettings(reg, saver), ReadOutcome::Continue);
    EXPECT_EQ(saver.picture.folder, text);
    EXPECT_EQ(list.paths[0], text);
    EXPECT_TRUE(saver.message.messageText == m.messageText);
  }
}

}  // namespace
}  // namespace settings
