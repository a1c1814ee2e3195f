// Each opening rebuilds the dialog from what the opener primed, so an
// opening that ended with Cancel leaves no trace; and the drive change.
#include "picture_selection_fixture.h"

namespace picker::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class OpeningTest : public PictureSelectionTest {
 protected:
  void SetUp() override {
    AddFiles("C:\\Pics", {"b.jpg", "a.bmp"});
    AddFiles("C:\\Other", {"z.jpg"});
    AddFiles("D:", {"d.jpg"});
  }
};

TEST_F(OpeningTest, FirstPaintLoadsTheStoredStateOnce) {
  lblCount.caption = "99";
  Open("C:\\Pics", true, {"C:\\Pics\\a.bmp", "C:\\x\\y.gif"});
  EXPECT_FALSE(shared.refreshPending);
  EXPECT_THAT(lbSfile.Items(), ElementsAre("a.bmp", "b.jpg"));
  EXPECT_THAT(lbDfile.Items(), ElementsAre("C:\\Pics\\a.bmp", "C:\\x\\y.gif"));
  EXPECT_EQ(lblCount.caption, "2");
  EXPECT_TRUE(lbDfile.enabled);

  lbDfile.Click(0);
  logic.FormPaint();
  EXPECT_EQ(lbDfile.SelectedCount(), 1) << "later paints change nothing";
}

TEST_F(OpeningTest, StoredCountIsBoundedBySlotsShown) {
  std::vector<std::string> stored(60, "C:\\p.jpg");
  Open("C:\\Pics", true, stored);
  EXPECT_EQ(lbDfile.Count(), 51);

  shared.registeredCount = -3;
  shared.refreshPending = true;
  logic.FormPaint();
  EXPECT_EQ(lbDfile.Count(), 0);
  EXPECT_EQ(lblCount.caption, "0");
}

TEST_F(OpeningTest, FolderModeOpensGreyed) {
  Open("C:\\Pics", false, {"C:\\Pics\\a.bmp"});
  EXPECT_FALSE(lbDfile.enabled || btAllErase.enabled || lblDsp.enabled);
  EXPECT_EQ(lbDfile.Count(), 1);
}

TEST_F(OpeningTest, CancelledEditsDoNotSurviveTheNextOpening) {
  const std::vector<std::string> stored = {"C:\\Pics\\a.bmp", "C:\\Pics\\b.jpg"};
  Open("C:\\Pics", true, stored);
  ClickRegistered(1);
  logic.btUpClick();
  logic.btAllEraseClick();
  dlbThumb.Open("C:\\Other");
  ChooseRegistered(false);
  // Cancel: the opener stores nothing and primes the next opening afresh.
  Open("C:\\Pics", true, stored);
  EXPECT_EQ(dlbThumb.Directory(), "C:\\Pics");
  EXPECT_THAT(lbSfile.Items(), ElementsAre("a.bmp", "b.jpg"));
  EXPECT_THAT(lbDfile.Items(), ElementsAre("C:\\Pics\\a.bmp", "C:\\Pics\\b.jpg"));
  EXPECT_TRUE(lbDfile.enabled);
}

TEST_F(OpeningTest, OpeningResetsTheButtonsOfThePreviousOpening) {
  Open("C:\\Pics", true, {"C:\\1.bmp", "C:\\2.bmp", "C:\\3.bmp"});
  ClickRegistered(1);
  ASSERT_TRUE(btUp.enabled && btDown.enabled && btErase.enabled && preview.shown);
  Open("C:\\Pics", true, {"C:\\1.bmp", "C:\\2.bmp", "C:\\3.bmp"});
  EXPECT_EQ(State(), (Buttons{false, false, false, false}));
  EXPECT_FALSE(preview.shown);
}

TEST_F(OpeningTest, ChangingTheDriveListsThatDrivesCurrentFolder) {
  Open("C:\\Pics", true, {});
  dlbThumb.currentFolderOfDrive['D'] = "D:\\";
  dcbxThumb.SetDrive('D');
  EXPECT_EQ(dlbThumb.Directory(), "D:\\");
  EXPECT_THAT(lbSfile.Items(), ElementsAre("d.jpg"));
  EXPECT_THAT(services.messages, IsEmpty());
  EXPECT_GT(services.processed, 0);
}

TEST_F(OpeningTest, DriveNotReadyPutsBothControlsBack) {
  Open("C:\\Pics", true, {});
  dlbThumb.notReady.insert('A');
  dcbxThumb.SetDrive('A');
  EXPECT_THAT(services.messages, ElementsAre("ドライブの準備ができていません"));
  EXPECT_EQ(dcbxThumb.Drive(), 'C');
  EXPECT_EQ(dlbThumb.Directory(), "C:\\Pics");
  EXPECT_THAT(lbSfile.Items(), ElementsAre("a.bmp", "b.jpg"));
}

TEST_F(OpeningTest, ADriveThatAnswersLateLeavesTheDialogAsItWasUntilItAnswers) {
  Open("C:\\Pics", true, {});
  dlbThumb.notReady.insert('A');
  dlbThumb.answerLater = true;
  dcbxThumb.SetDrive('A');
  EXPECT_THAT(services.messages, IsEmpty());
  EXPECT_EQ(dlbThumb.Directory(), "C:\\Pics");
  EXPECT_THAT(lbSfile.Items(), ElementsAre("a.bmp", "b.jpg"));
  dlbThumb.AnswerDrive();
  EXPECT_THAT(services.messages, ElementsAre("ドライブの準備ができていません"));
  EXPECT_EQ(dcbxThumb.Drive(), 'C');
  EXPECT_EQ(dlbThumb.Directory(), "C:\\Pics");
}

TEST_F(OpeningTest, OtherDriveFailuresAlsoPutBothControlsBack) {
  Open("C:\\Pics", true, {});
  dlbThumb.failing.insert('Q');
  dcbxThumb.SetDrive('Q');
  EXPECT_THAT(services.messages, ElementsAre("アクセスが拒否されました。"));
  EXPECT_EQ(dcbxThumb.Drive(), 'C');
  EXPECT_EQ(dlbThumb.Drive(), 'C');
}

TEST_F(OpeningTest, AStoredFolderOnAnotherDriveThatIsGoneEndsOnThatDrive) {
  // The folder list refuses a missing folder and stays; the drive selector
  // then moves it to the stored drive's current folder.
  dlbThumb.Open("C:\\Pics");
  dlbThumb.currentFolderOfDrive['D'] = "D:\\";
  rbSelPhoto.checked = false;
  dcbxThumb.SetDrive('D');
  shared.refreshPending = true;
  logic.FormPaint();
  EXPECT_EQ(dlbThumb.Directory(), "D:\\");
  EXPECT_THAT(lbSfile.Items(), ElementsAre("d.jpg"));
}

}  // namespace
}  // namespace picker::test
