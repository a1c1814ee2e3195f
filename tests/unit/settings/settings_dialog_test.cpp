#include "settings/settings_dialog.h"

#include <gmock/gmock.h>

#include <cstring>
#include <functional>

#include "settings/registry_values.h"
#include "settings/store_error.h"
#include "store_fixture.h"

namespace settings {
namespace {

using ::testing::ElementsAre;

// The controls of TfrmSet as plain values.
class FakeControls : public SettingsControls {
 public:
  std::string MessageText() const override { return meEdit; }
  void SetMessageText(const std::string& text) override { meEdit = text; }
  void SetPreviewText(const std::string& text) override { meCom = text; }
  void SetPreviewFont(const FontChoice& font) override { previewFont = font, ++fontChanges; }
  int32_t SwitchSeconds() const override { return udTime; }
  void SetSwitchSeconds(int32_t seconds) override { udTime = seconds; }
  bool MoveChecked() const override { return rbMove; }
  void SetMoveChecked(bool move) override { rbMove = move; }
  SoundRadio CheckedSound() const override { return sound; }
  void CheckSound(SoundRadio radio) override { sound = radio; }

  std::string meEdit = "design", meCom = "design";
  FontChoice previewFont;
  int fontChanges = 0;
  int32_t udTime = 5;
  bool rbMove = true;
  SoundRadio sound = SoundRadio::rbBeep;
};

// The picture-selection dialog: records how it was primed, and answers its
// modal showing with a result and the state the user left.
class FakePicker : public PictureSelectionPort {
 public:
  bool SetFolder(const std::string& folder) override {
    calls.push_back("SetFolder");
    if (refuseFolder) return false;
    shownFolder = folder;
    return true;
  }
  std::string Folder() const override { return shownFolder; }
  void SetDrive(char letter) override { calls.push_back("SetDrive"), drive = letter; }
  void SetUseRegisteredList(bool registered) override {
    calls.push_back("SetUseRegisteredList"), selPhoto = registered;
  }
  bool UseRegisteredList() const override { return selPhoto; }
  void SetDateCaption(DateCaption caption) override { dateCaption = caption; }
  DateCaption ChosenDateCaption() const override { return dateCaption; }
  void SetLibraryChoices(const LibraryChoices& choices) override { libraryChoices = choices; }
  LibraryChoices ChosenLibraryChoices() const override { return libraryChoices; }
  std::vector<std::string> RegisteredEntries() const override { return lbDfile; }
  ModalResult ShowModal() override {
    calls.push_back("ShowModal");
    if (whileShown) whileShown();
    return result;
  }

  std::vector<std::string> calls;
  std::string shownFolder = "C:\\before";
  char drive = '\0';
  bool selPhoto = false;
  DateCaption dateCaption = DateCaption::Off;
  LibraryChoices libraryChoices;
  bool refuseFolder = false;
  std::vector<std::string> lbDfile;
  std::function<void()> whileShown;
  ModalResult result = ModalResult::Ok;
};

class SettingsDialogTest : public testing::StoreTest {
 protected:
  void StoreMessageGroup() {
    Text("SCRcom", "急がば回れ");
    Text("FontName", "Arial");
    Dword("ComColor", 0x00123456);
    Dword("FontSize", 18);
    Dword("fgBold", 1);
    Dword("fgItalic", 1);
    Dword("fgUnderline", 0);
    Dword("fgStrikeOut", 1);
    Dword("SCRsnd", 2);
    Dword("SCRtime", 42);
    Dword("MoveFlag", 0);
  }
  std::string StoredText(const std::string& name) const {
    const auto value = Get(name);
    return value ? std::string(value->bytes.c_str()) : "(missing)";
  }
  int32_t DwordOf(const std::string& name) const {
    const auto value = Get(name);
    if (!value || value->type != ValueType::Dword || value->bytes.size() != 4) return -12345;
    int32_t n;
    std::memcpy(&n, value->bytes.data(), 4);
    return n;
  }

  FakeControls controls;
  SettingsDialog dialog{reg, controls};
};

TEST_F(SettingsDialogTest, FirstShowWithoutKeyPutsTheDialogDefaultsIntoTheControls) {
  dialog.FormShow("C:\\start");
  EXPECT_EQ(controls.meEdit, "明日できることは明日に伸ばそう");
  EXPECT_EQ(controls.meCom, controls.meEdit);
  EXPECT_EQ(controls.udTime, 10);
  EXPECT_TRUE(controls.rbMove);
  EXPECT_EQ(controls.sound, SoundRadio::rbBeep);
  EXPECT_EQ(controls.previewFont.face, "ＭＳ ゴシック");
  EXPECT_EQ(controls.previewFont.pointTenths, 260);
  EXPECT_EQ(controls.previewFont.color, 0x0000FF00u);
  EXPECT_EQ(controls.previewFont.weight, 400);
  EXPECT_FALSE(controls.previewFont.italic ||
               controls.previewFont.underline || controls.previewFont.strikeOut);
  EXPECT_EQ(dialog.PictureState().startDirectory, "C:\\start");
  EXPECT_TRUE(reg.HasKey(kSettingsKeyPath));
  EXPECT_TRUE(reg.ValuesOf(kSettingsKeyPath).empty()) << "showing writes nothing";
}

TEST_F(SettingsDialogTest, ShowPutsTheStoredGroupIntoControlsAndPreview) {
  StoreMessageGroup();
  dialog.FormShow("C:\\");
  EXPECT_EQ(controls.meEdit, "急がば回れ");
  EXPECT_EQ(controls.meCom, "急がば回れ");
  EXPECT_EQ(controls.udTime, 42);
  EXPECT_FALSE(controls.rbMove);
  EXPECT_EQ(controls.sound, SoundRadio::rbOK);
  const FontChoice& font = controls.previewFont;
  EXPECT_EQ(font.face, "Arial");
  EXPECT_EQ(font.pointTenths, 180);
  EXPECT_EQ(font.color, 0x00123456u);
  EXPECT_EQ(font.weight, 700);
  EXPECT_EQ(font.charSet, FontChoice::kAnyCharSet);
  EXPECT_TRUE(font.italic);
  EXPECT_FALSE(font.underline);
  EXPECT_TRUE(font.strikeOut);
}

TEST_F(SettingsDialogTest, EverySoundOtherThanOneOrTwoChecksNoSoundAndSavesThree) {
  for (int32_t stored : {0, 3, 9, -1}) {
    StoreMessageGroup();
    Dword("SCRsnd", stored);
    dialog.FormShow("C:\\");
    EXPECT_EQ(controls.sound, SoundRadio::rbNO) << stored;
    dialog.SaveMessageSettings();
    EXPECT_EQ(DwordOf("SCRsnd"), 3) << stored;
  }
}

TEST_F(SettingsDialogTest, StyleOfTwoIsShownOffButWrittenBackUnchanged) {
  StoreMessageGroup();
  Dword("fgItalic", 2);
  dialog.FormShow("C:\\");
  EXPECT_FALSE(controls.previewFont.italic);
  EXPECT_FALSE(dialog.FontPreset().italic);
  dialog.SaveMessageSettings();
  EXPECT_EQ(DwordOf("fgItalic"), 2);
}

TEST_F(SettingsDialogTest, StoredTimeOutsideTheUpDownRangeIsShownAtTheNearerEnd) {
  StoreMessageGroup();
  Dword("SCRtime", 500);
  dialog.FormShow("C:\\");
  EXPECT_EQ(controls.udTime, 100);
  Dword("SCRtime", 0);
  dialog.FormShow("C:\\");
  EXPECT_EQ(controls.udTime, 1);
}

TEST_F(SettingsDialogTest, TypingUpdatesOnlyThePreviewUntilSaved) {
  dialog.FormShow("C:\\");
  controls.meEdit = "新しい文";
  dialog.meEditChange();
  EXPECT_EQ(controls.meCom, "新しい文");
  EXPECT_FALSE(Has("SCRcom"));
}

TEST_F(SettingsDialogTest, SaveWritesWhatTheControlsShowWithTheMembers) {
  StoreMessageGroup();
  dialog.FormShow("C:\\");
  controls.meEdit = "打ち直した";
  controls.udTime = 7;
  controls.rbMove = true;
  controls.sound = SoundRadio::rbBeep;
  dialog.SaveMessageSettings();
  EXPECT_EQ(StoredText("SCRcom"), "打ち直した");
  EXPECT_EQ(StoredText("FontName"), "Arial");
  EXPECT_EQ(DwordOf("ComColor"), 0x00123456);
  EXPECT_EQ(DwordOf("FontSize"), 18);
  EXPECT_EQ(DwordOf("fgBold") * 1000 + DwordOf("fgItalic") * 100 + DwordOf("fgUnderline") * 10 +
                DwordOf("fgStrikeOut"),
            1101);
  EXPECT_EQ(DwordOf("SCRtime"), 7);
  EXPECT_EQ(DwordOf("MoveFlag"), 1);
  EXPECT_EQ(DwordOf("SCRsnd"), 1);
}

TEST_F(SettingsDialogTest, SaveFailureReportsTheValueAndWritesNothingAfterIt) {
  dialog.FormShow("C:\\");
  reg.failingSets.insert("FontSize");
  try {
    dialog.SaveMessageSettings();
    FAIL() << "a failing write must surface";
  } catch (const StoreError& error) {
    EXPECT_EQ(error.valueName(), "FontSize");
    EXPECT_STREQ(error.what(), "'FontSize' の設定に失敗しました");
  }
  EXPECT_TRUE(Has("ComColor"));
  EXPECT_FALSE(Has("fgBold"));
  EXPECT_FALSE(Has("SCRsnd"));
}

TEST_F(SettingsDialogTest, FontPresetComesFromTheMembers) {
  StoreMessageGroup();
  dialog.FormShow("C:\\");
  const FontChoice preset = dialog.FontPreset();
  EXPECT_EQ(preset.face, "Arial");
  EXPECT_EQ(preset.pointTenths, 180);
  EXPECT_EQ(preset.color, 0x00123456u);
  EXPECT_EQ(preset.weight, 700);
  EXPECT_TRUE(preset.italic);
  EXPECT_FALSE(preset.underline);
  EXPECT_TRUE(preset.strikeOut);
}

TEST_F(SettingsDialogTest, ConfirmedFontUpdatesPreviewAndSavesTheWholeGroupWithTypedText) {
  dialog.FormShow("C:\\");
  controls.meEdit = "フォントの前に打った";
  controls.sound = SoundRadio::rbNO;
  controls.rbMove = false;
  controls.udTime = 99;
  const int fontChangesBefore = controls.fontChanges;
  FontChoice choice;
  choice.face = "ＭＳ 明朝";
  choice.pointTenths = 105;
  choice.color = 0x000000FF;
  choice.weight = 700;
  choice.underline = true;
  dialog.FontChosen(choice);

  EXPECT_GT(controls.fontChanges, fontChangesBefore);
  EXPECT_EQ(controls.previewFont.face, "ＭＳ 明朝");
  EXPECT_EQ(controls.previewFont.pointTenths, 105);
  EXPECT_EQ(controls.previewFont.weight, 700);
  EXPECT_TRUE(controls.previewFont.underline);
  EXPECT_EQ(StoredText("SCRcom"), "フォントの前に打った");
  EXPECT_EQ(StoredText("FontName"), "ＭＳ 明朝");
  EXPECT_EQ(DwordOf("ComColor"), 0xFF);
  EXPECT_EQ(DwordOf("FontSize"), 11) << "10.5 points round to 11";
  EXPECT_EQ(DwordOf("fgBold"), 1);
  EXPECT_EQ(DwordOf("fgItalic"), 0);
  EXPECT_EQ(DwordOf("fgUnderline"), 1);
  EXPECT_EQ(DwordOf("SCRtime"), 99);
  EXPECT_EQ(DwordOf("MoveFlag"), 0);
  EXPECT_EQ(DwordOf("SCRsnd"), 3);
}

TEST_F(SettingsDialogTest, ConfirmedFontTurnsAStoredTwoIntoZeroAndSemiBoldIsNotBold) {
  StoreMessageGroup();
  Dword("fgUnderline", 2);
  dialog.FormShow("C:\\");
  FontChoice choice = dialog.FontPreset();
  choice.weight = 600;
  dialog.FontChosen(choice);
  EXPECT_EQ(DwordOf("fgUnderline"), 0);
  EXPECT_EQ(DwordOf("fgBold"), 0);
}

// The store keeps whole points and bold or not; the preview shows what the
// user chose until the dialog is shown again.
TEST_F(SettingsDialogTest, PreviewTakesTheDialogsWholeFontWhileTheStoreKeepsItsOwnShape) {
  StoreMessageGroup();
  dialog.FormShow("C:\\");
  FontChoice choice = dialog.FontPreset();
  choice.pointTenths = 95;
  choice.weight = 600;
  choice.charSet = 128;  // SHIFTJIS_CHARSET
  dialog.FontChosen(choice);

  EXPECT_EQ(controls.previewFont.pointTenths, 95);
  EXPECT_EQ(controls.previewFont.weight, 600);
  EXPECT_EQ(controls.previewFont.charSet, 128);
  EXPECT_EQ(DwordOf("FontSize"), 10);
  EXPECT_EQ(DwordOf("fgBold"), 0);
  EXPECT_EQ(dialog.FontPreset().pointTenths, 100) << "the preset comes from the stored members";

  dialog.FormShow("C:\\");
  EXPECT_EQ(controls.previewFont.pointTenths, 100);
  EXPECT_EQ(controls.previewFont.weight, 400);
  EXPECT_EQ(controls.previewFont.charSet, FontChoice::kAnyCharSet);
}

TEST(SoundMapping, RadioAndStoredNumberCorrespond) {
  EXPECT_EQ(SoundRadioFor(1), SoundRadio::rbBeep);
  EXPECT_EQ(SoundRadioFor(2), SoundRadio::rbOK);
  EXPECT_EQ(SoundRadioFor(3), SoundRadio::rbNO);
  EXPECT_EQ(SoundEffectFor(SoundRadio::rbBeep), 1);
  EXPECT_EQ(SoundEffectFor(SoundRadio::rbOK), 2);
  EXPECT_EQ(SoundEffectFor(SoundRadio::rbNO), 3);
}

TEST_F(SettingsDialogTest, FolderButtonPrimesThePickerFromTheStoreBeforeShowingIt) {
  Text("dtDir", "D:\\pictures");
  Dword("SelPhoto", 1);
  FakePicker picker;
  bool refreshPendingWhileShown = false;
  picker.whileShown = [&] { refreshPendingWhileShown = dialog.PictureState().refreshPending; };
  picker.result = ModalResult::Cancel;
  dialog.btFolderClick(picker);
  EXPECT_THAT(picker.calls, ElementsAre("SetUseRegisteredList", "SetFolder", "SetDrive", "ShowModal"));
  EXPECT_TRUE(picker.selPhoto);
  EXPECT_EQ(picker.shownFolder, "D:\\pictures");
  EXPECT_EQ(picker.drive, 'D');
  EXPECT_TRUE(refreshPendingWhileShown);
}

TEST_F(SettingsDialogTest, FolderButtonWithoutStoredFolderUsesTheStartDirectory) {
  dialog.FormShow("E:\\work");
  FakePicker picker;
  picker.result = ModalResult::Cancel;
  dialog.btFolderClick(picker);
  EXPECT_EQ(picker.shownFolder, "E:\\work");
  EXPECT_EQ(picker.drive, 'E');
  EXPECT_FALSE(picker.selPhoto);
}

TEST_F(SettingsDialogTest, FolderButtonCancelWritesNothingAndTheNextPressRereadsTheStore) {
  Text("dtDir", "D:\\one");
  FakePicker picker;
  picker.result = ModalResult::Cancel;
  picker.whileShown = [&] { picker.shownFolder = "D:\\elsewhere", picker.lbDfile = {"D:\\x.bmp"}; };
  dialog.btFolderClick(picker);
  EXPECT_EQ(StoredText("dtDir"), "D:\\one");
  EXPECT_FALSE(Has("eCount"));

  Text("dtDir", "F:\\two");
  dialog.btFolderClick(picker);
  EXPECT_EQ(picker.drive, 'F');
  EXPECT_EQ(dialog.PictureState().pictureFolder, "F:\\two");
}

TEST_F(SettingsDialogTest, FolderButtonOkStoresWhatThePickerShowsNow) {
  Text("dtDir", "D:\\one");
  Dword("eCount", 3);
  for (const char* name : {"File_000", "File_001", "File_002"}) Text(name, "old");
  FakePicker picker;
  picker.whileShown = [&] {
    picker.shownFolder = "C:\\";
    picker.selPhoto = true;
    picker.lbDfile = {"C:\\a.jpg", "C:\\b.gif"};
  };
  dialog.btFolderClick(picker);
  EXPECT_EQ(dialog.PictureState().pictureFolder, "C:\\");
  EXPECT_EQ(StoredText("dtDir"), "C:\\") << "the drive root keeps its backslash";
  EXPECT_EQ(DwordOf("SelPhoto"), 1);
  EXPECT_EQ(DwordOf("eCount"), 2);
  EXPECT_EQ(StoredText("File_000"), "C:\\a.jpg");
  EXPECT_EQ(StoredText("File_001"), "C:\\b.gif");
  EXPECT_FALSE(Has("File_002"));
}

TEST_F(SettingsDialogTest, FolderRefusedByTheListKeepsTheListsFolderForTheSave) {
  Text("dtDir", "Q:\\gone");
  FakePicker picker;
  picker.refuseFolder = true;
  dialog.btFolderClick(picker);
  EXPECT_EQ(StoredText("dtDir"), "C:\\before");
}

}  // namespace
}  // namespace settings
