// The enabling table, row by row: which of btTrk, btUp, btDown and btErase
// (and the registered list with its heading and btAllErase) each event
// switches, and which it leaves alone.
#include "picture_selection_fixture.h"

namespace picker::test {
namespace {

class EnablingRulesTest : public PictureSelectionTest {
 protected:
  void SetUp() override {
    AddFiles("C:\\Pics", {"a.jpg", "b.jpg", "c.bmp"});
    Open("C:\\Pics", true, {"C:\\x\\1.bmp", "C:\\x\\2.bmp", "C:\\x\\3.bmp"});
  }
  // Every button on, to see which ones an event switches off.
  void AllOn() {
    for (FakeControl* b : {&btTrk, &btUp, &btDown, &btErase}) b->enabled = true;
  }
};

TEST_F(PictureSelectionTest, DialogCreated) {
  EXPECT_EQ(State(), (Buttons{false, false, false, false}));
  EXPECT_TRUE(btAllErase.enabled && lbDfile.enabled && lblDsp.enabled);
}

TEST_F(EnablingRulesTest, RefreshFolderListSwitchesOffOnlyBtTrk) {
  AllOn();
  logic.RefreshFolderList();
  EXPECT_EQ(State(), (Buttons{false, true, true, true}));
}

TEST_F(EnablingRulesTest, FolderClickWithValidCurrentItem) {
  AllOn();
  lbSfile.Click(1);
  logic.lbSfileClick();
  EXPECT_EQ(State(), (Buttons{true, false, false, false}));

  ChooseRegistered(false);
  lbSfile.Click(0);
  logic.lbSfileClick();
  EXPECT_FALSE(btTrk.enabled) << "folder mode never enables registering";
  EXPECT_TRUE(preview.shown) << "but the preview still works";
}

TEST_F(EnablingRulesTest, FolderClickWithoutValidCurrentItem) {
  AllOn();
  lbSfile.caret = lbSfile.Count();
  logic.lbSfileClick();
  EXPECT_EQ(State(), (Buttons{false, true, true, true}));
}

TEST_F(EnablingRulesTest, RegisteredClickWithOneSelected) {
  AllOn();
  ClickRegistered(0);
  EXPECT_EQ(State(), (Buttons{false, false, true, true}));
  ClickRegistered(1);
  EXPECT_EQ(State(), (Buttons{false, true, true, true}));
  ClickRegistered(2);
  EXPECT_EQ(State(), (Buttons{false, true, false, true}));
}

TEST_F(EnablingRulesTest, RegisteredClickWithNoneOrSeveralSelected) {
  ClickRegistered(1);
  lbDfile.CtrlClick(2);
  logic.lbDfileClick();
  EXPECT_EQ(State(), (Buttons{false, false, false, true}));

  lbDfile.CtrlClick(2);
  lbDfile.CtrlClick(1);
  logic.lbDfileClick();
  ASSERT_EQ(lbDfile.SelectedCount(), 0);
  EXPECT_EQ(State(), (Buttons{false, false, false, true}));
}

TEST_F(EnablingRulesTest, RegisteredClickWithoutValidCurrentItemLeavesBtTrk) {
  AllOn();
  lbDfile.caret = 3;
  logic.lbDfileClick();
  EXPECT_EQ(State(), (Buttons{true, false, false, false}));
}

TEST_F(EnablingRulesTest, ListEditsSwitchOffTheRegisteredButtonsOnly) {
  using Handler = void (PictureSelectionLogic::*)();
  const std::pair<int, Handler> edits[] = {{1, &PictureSelectionLogic::btEraseClick},
                                           {1, &PictureSelectionLogic::btUpClick},
                                           {0, &PictureSelectionLogic::btDownClick},
                                           {0, &PictureSelectionLogic::btAllEraseClick}};
  for (const auto& [entry, edit] : edits) {
    ClickRegistered(entry);
    btTrk.enabled = true;
    (logic.*edit)();
    EXPECT_EQ(State(), (Buttons{true, false, false, false}));
  }
}

TEST_F(EnablingRulesTest, RegisterChangesNoButton) {
  lbSfile.Click(0);
  logic.lbSfileClick();
  const Buttons before = State();
  logic.btTrkClick();
  EXPECT_EQ(State(), before);
}

TEST_F(EnablingRulesTest, EnterRegisteredModeEnablesBtTrkOnlyWithAFolderSelection) {
  ChooseRegistered(false);
  ChooseRegistered(true);
  EXPECT_FALSE(btTrk.enabled);
  EXPECT_TRUE(lbDfile.enabled && btAllErase.enabled && lblDsp.enabled);

  ChooseRegistered(false);
  lbSfile.Click(0);
  logic.lbSfileClick();
  ChooseRegistered(true);
  EXPECT_TRUE(btTrk.enabled);
}

TEST_F(EnablingRulesTest, EnterFolderModeSwitchesEverythingOff) {
  AllOn();
  ChooseRegistered(false);
  EXPECT_EQ(State(), (Buttons{false, false, false, false}));
  EXPECT_FALSE(lbDfile.enabled || btAllErase.enabled || lblDsp.enabled);
  EXPECT_EQ(lbDfile.Count(), 3) << "the entries stay, greyed";
}

}  // namespace
}  // namespace picker::test
