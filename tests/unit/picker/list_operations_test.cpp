// Register, Erase, Erase all and the moves, and the selection rules between
// the two lists and the display modes.
#include "picture_selection_fixture.h"

namespace picker::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ListOperationsTest : public PictureSelectionTest {
 protected:
  void SetUp() override {
    // The scan finds them unsorted (.bmp first); the list sorts them.
    AddFiles("D:\\Pics", {"Zebra.bmp", "apple.jpg", "Mango.jpg", "cherry.gif"});
    dlbThumb.currentFolderOfDrive['D'] = "D:\\Pics";
    Open("D:\\Pics\\", true, {});
  }
};

TEST_F(ListOperationsTest, FolderListIsSortedIgnoringCase) {
  EXPECT_THAT(lbSfile.Items(), ElementsAre("apple.jpg", "cherry.gif", "Mango.jpg", "Zebra.bmp"));
}

TEST_F(ListOperationsTest, RegisterAppendsInSortedOrderNotSelectionOrder) {
  RegisterIndexes({3, 0, 2});
  EXPECT_THAT(lbDfile.Items(),
              ElementsAre("D:\\Pics\\apple.jpg", "D:\\Pics\\Mango.jpg", "D:\\Pics\\Zebra.bmp"));
  EXPECT_EQ(lblCount.caption, "3");
}

TEST_F(ListOperationsTest, RegisteringTwiceGivesDuplicates) {
  RegisterIndexes({1});
  logic.btTrkClick();
  EXPECT_THAT(lbDfile.Items(), ElementsAre("D:\\Pics\\cherry.gif", "D:\\Pics\\cherry.gif"));
  EXPECT_EQ(lblCount.caption, "2");
}

TEST_F(ListOperationsTest, CtrlClickDeselectingTheLastPictureThenRegisterAddsNothing) {
  RegisterIndexes({1});
  lbSfile.CtrlClick(1);
  logic.lbSfileClick();
  ASSERT_EQ(lbSfile.SelectedCount(), 0);
  EXPECT_TRUE(btTrk.enabled);
  logic.btTrkClick();
  EXPECT_EQ(lbDfile.Count(), 1);
  EXPECT_EQ(lblCount.caption, "1");
}

TEST_F(ListOperationsTest, DriveRootGivesOneBackslash) {
  AddFiles("E:", {"root.jpg"});
  dlbThumb.Open("E:\\");
  lbSfile.Click(0);
  logic.lbSfileClick();
  EXPECT_EQ(preview.path, "E:\\root.jpg");
  logic.btTrkClick();
  EXPECT_THAT(lbDfile.Items(), ElementsAre("E:\\root.jpg"));
}

TEST_F(ListOperationsTest, EraseRemovesAdjacentSelectedEntries) {
  RegisterIndexes({0, 1, 2, 3});
  ClickRegistered(1);
  lbDfile.CtrlClick(2);
  logic.lbDfileClick();
  EXPECT_FALSE(btUp.enabled || btDown.enabled);
  logic.btEraseClick();
  EXPECT_THAT(lbDfile.Items(), ElementsAre("D:\\Pics\\apple.jpg", "D:\\Pics\\Zebra.bmp"));
  EXPECT_EQ(lblCount.caption, "2");
  EXPECT_FALSE(preview.shown);
}

TEST_F(ListOperationsTest, EraseAllOnAnEmptyListShowsZero) {
  logic.btAllEraseClick();
  EXPECT_EQ(lblCount.caption, "0");
  RegisterIndexes({0, 1});
  logic.btAllEraseClick();
  EXPECT_THAT(lbDfile.Items(), IsEmpty());
  EXPECT_EQ(lblCount.caption, "0");
}

TEST_F(ListOperationsTest, MoveLeavesNothingSelectedAndThePreviewHidden) {
  RegisterIndexes({0, 1, 2});
  ClickRegistered(2);
  ASSERT_TRUE(preview.shown);
  logic.btUpClick();
  EXPECT_THAT(lbDfile.Items(),
              ElementsAre("D:\\Pics\\apple.jpg", "D:\\Pics\\Mango.jpg", "D:\\Pics\\cherry.gif"));
  EXPECT_THAT(lbDfile.SelectedIndexes(), IsEmpty());
  EXPECT_EQ(State(), (Buttons{false, false, false, false}));
  EXPECT_FALSE(preview.shown);

  ClickRegistered(0);
  logic.btDownClick();
  EXPECT_EQ(lbDfile.Text(1), "D:\\Pics\\apple.jpg");
}

TEST_F(ListOperationsTest, MovesPastTheEndsDoNothing) {
  RegisterIndexes({0, 1});
  const auto before = lbDfile.Items();
  ClickRegistered(0);
  logic.btUpClick();
  ClickRegistered(1);
  logic.btDownClick();
  EXPECT_EQ(lbDfile.Items(), before);
}

TEST_F(ListOperationsTest, OnlyOneListKeepsASelection) {
  RegisterIndexes({0, 1});
  ClickRegistered(0);
  EXPECT_EQ(lbSfile.SelectedCount(), 0);
  EXPECT_EQ(preview.path, "D:\\Pics\\apple.jpg");
  lbSfile.Click(3);
  logic.lbSfileClick();
  EXPECT_EQ(lbDfile.SelectedCount(), 0);
  EXPECT_EQ(preview.path, "D:\\Pics\\Zebra.bmp");
}

TEST_F(ListOperationsTest, FolderModeDropsTheRegisteredSelectionForGood) {
  RegisterIndexes({0, 1});
  ClickRegistered(1);
  ChooseRegistered(false);
  EXPECT_EQ(lbDfile.SelectedCount(), 0);
  EXPECT_FALSE(preview.shown);
  ChooseRegistered(true);
  EXPECT_EQ(lbDfile.SelectedCount(), 0);
  EXPECT_FALSE(btUp.enabled || btDown.enabled || btErase.enabled);
}

TEST_F(ListOperationsTest, FolderModeKeepsAFolderPreview) {
  lbSfile.Click(0);
  logic.lbSfileClick();
  ChooseRegistered(false);
  EXPECT_TRUE(preview.shown);
}

TEST_F(ListOperationsTest, ChangingTheFolderEmptiesThePreviewEvenWithTheSameNames) {
  AddFiles("D:\\Copy", {"Zebra.bmp", "apple.jpg", "Mango.jpg", "cherry.gif"});
  lbSfile.Click(0);
  logic.lbSfileClick();
  dlbThumb.Open("D:\\Copy");
  EXPECT_FALSE(preview.shown);
  EXPECT_FALSE(btTrk.enabled);
  EXPECT_EQ(lbSfile.SelectedCount(), 0);
  logic.btTrkClick();
  EXPECT_EQ(lbDfile.Count(), 0);
}

TEST_F(ListOperationsTest, ManyEntriesAreAllHandedBack) {
  for (int i = 0; i < 20; ++i) RegisterIndexes({0, 1, 2});
  EXPECT_EQ(lblCount.caption, "60");
  EXPECT_EQ(logic.RegisteredEntries().size(), 60u) << "the opener stores the first 50";
  EXPECT_EQ(logic.RegisteredEntries()[59], "D:\\Pics\\Mango.jpg");
}

}  // namespace
}  // namespace picker::test
