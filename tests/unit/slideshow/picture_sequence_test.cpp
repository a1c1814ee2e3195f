// The picture sequence steered by the viewer, for a folder in the order
// found, a tree walked in and a shuffled list: back through the history and
// forward again before new picks, the history's bound, the pause, hiding
// (also while going back), and the shuffle's kept place, which slides seen
// again do not move.
#include "slideshow/picture_sequence.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "memory_folder_tree.h"
#include "slideshow/picture_tree_walk.h"

namespace slideshow {
namespace {

using Paths = std::vector<std::string>;

struct SourceCase {
  const char* name;
  bool tree;
  bool shuffled;
};

std::string PicturePath(int i) {
  return "P\\" + std::string(i % 2 ? "odd\\" : "") + std::to_string(i) + ".jpg";
}

// `count` pictures: the folder's and the shuffled list's in one folder, the
// tree's in the folder and its sub-folder, walked in batches.
std::unique_ptr<PictureSequence> Make(const SourceCase& c, int count, HiddenFilter hidden = {},
                                      std::optional<ShufflePlace> kept = std::nullopt) {
  auto sequence = std::make_unique<PictureSequence>(LibrarySource{false, "P", c.tree, c.shuffled, {}},
                                                    kept, 7, std::move(hidden));
  if (c.tree) {
    testing::MemoryFolderTree tree;
    tree.Folder("P").Folder("P\\odd");
    for (int i = 0; i < count; ++i) tree.File(PicturePath(i));
    WalkPictureTree({"P", true, {"\\*.jpg"}, {}}, tree,
                    {[&](PictureCatalog&& found) {
                       sequence->Append(found);
                       return true;
                     },
                     {}});
    return sequence;
  }
  PictureCatalog catalog;
  const uint32_t folder = catalog.AddFolder("P");
  for (int i = 0; i < count; ++i) catalog.Add(folder, std::to_string(i) + ".jpg");
  sequence->Append(catalog);
  return sequence;
}

// The current slide, then `count` times the next.
Paths Forward(PictureSequence& sequence, int count) {
  Paths shown{sequence.PathAhead(0)};
  for (int i = 0; i < count; ++i) {
    sequence.Next();
    shown.push_back(sequence.PathAhead(0));
  }
  return shown;
}

Paths Backward(PictureSequence& sequence, int count) {
  Paths shown{sequence.PathAhead(0)};
  for (int i = 0; i < count; ++i) {
    EXPECT_TRUE(sequence.Back());
    shown.push_back(sequence.PathAhead(0));
  }
  return shown;
}

class Sequence : public ::testing::TestWithParam<SourceCase> {};

TEST_P(Sequence, GoesBackThroughTheHistoryAndForwardAgainBeforeNewPicks) {
  auto sequence = Make(GetParam(), 30);
  const Paths shown = Forward(*sequence, 5);
  const std::string nextNew = sequence->PathAhead(1);
  const std::optional<ShufflePlace> place = sequence->Place(0);
  EXPECT_EQ(Backward(*sequence, 5), Paths(shown.rbegin(), shown.rend()));
  EXPECT_FALSE(sequence->Back()) << "the first slide of the run is the oldest";
  EXPECT_EQ(sequence->PathAhead(1), shown[1]) << "another monitor shows the slide after, from the history";
  EXPECT_EQ(Forward(*sequence, 5), shown);
  EXPECT_EQ(sequence->NewSlides(), 5);
  EXPECT_EQ(sequence->Place(0), place) << "slides seen again are not newly shown";
  sequence->Next();
  EXPECT_EQ(sequence->PathAhead(0), nextNew);
  EXPECT_EQ(sequence->NewSlides(), 6);
  EXPECT_EQ(std::set<std::string>(shown.begin(), shown.end()).count(nextNew), 0u);
}

TEST_P(Sequence, KeepsTheLastTwoHundredSlides) {
  auto sequence = Make(GetParam(), 90);
  const Paths shown = Forward(*sequence, 250);
  for (size_t back = 1; back <= PictureSequence::kHistorySlides; ++back) {
    ASSERT_TRUE(sequence->Back()) << back;
    ASSERT_EQ(sequence->PathAhead(0), shown[shown.size() - 1 - back]) << back;
  }
  EXPECT_FALSE(sequence->Back());
  EXPECT_EQ(sequence->BackSteps(), PictureSequence::kHistorySlides);
}

TEST_P(Sequence, APauseHoldsTheSwitchButNotTheViewersMoves) {
  auto sequence = Make(GetParam(), 10);
  const std::string first = sequence->PathAhead(0);
  sequence->Pause(true);
  sequence->Switch();
  EXPECT_EQ(sequence->PathAhead(0), first);
  sequence->Next();
  const std::string second = sequence->PathAhead(0);
  EXPECT_NE(second, first);
  EXPECT_TRUE(sequence->Back());
  EXPECT_EQ(sequence->PathAhead(0), first);
  sequence->Pause(false);
  sequence->Switch();
  EXPECT_EQ(sequence->PathAhead(0), second);
}

TEST_P(Sequence, AHiddenPictureGivesWayToTheNextAndIsNeverShownAgain) {
  auto sequence = Make(GetParam(), 12);
  Forward(*sequence, 3);
  const std::string hidden = sequence->PathAhead(0), after = sequence->PathAhead(1);
  sequence->Hide(hidden);
  EXPECT_EQ(sequence->PathAhead(0), after);
  const Paths shown = Forward(*sequence, 40);
  const Paths back = Backward(*sequence, 3);
  for (const Paths* paths : {&shown, &back})
    EXPECT_EQ(std::set<std::string>(paths->begin(), paths->end()).count(hidden), 0u);
  EXPECT_EQ(std::set<std::string>(shown.begin(), shown.end()).size(), 11u);
}

// Two back, the photo hidden: the slide that came after it in the history
// is current, and going back passes the hidden one by.
TEST_P(Sequence, HidingWhileGoingBackShowsTheSlideThatCameAfterIt) {
  auto sequence = Make(GetParam(), 12);
  const Paths shown = Forward(*sequence, 4);
  Backward(*sequence, 2);
  sequence->Hide(shown[2]);
  EXPECT_EQ(sequence->PathAhead(0), shown[3]);
  EXPECT_EQ(sequence->BackSteps(), 1u);
  EXPECT_EQ(Backward(*sequence, 2), (Paths{shown[3], shown[1], shown[0]}));
  EXPECT_EQ(Forward(*sequence, 3), (Paths{shown[0], shown[1], shown[3], shown[4]}));
  EXPECT_EQ(sequence->NewSlides(), 4);
}

// Hidden before the run, however its name's letters are written, or while
// it runs: a list fed in later (a repaint's new scan) leaves it out too.
TEST_P(Sequence, AHiddenPictureStaysOutOfEveryListFedIn) {
  auto sequence = Make(GetParam(), 8, HiddenFilter({"p\\ODD\\3.JPG", "P\\3.JPG"}));
  sequence->Hide("P\\4.jpg");
  PictureCatalog again;
  const uint32_t folder = again.AddFolder("P");
  again.Add(folder, "4.JPG");
  again.Add(folder, "100.jpg");
  sequence->Append(again);
  const Paths shown = Forward(*sequence, 30);
  const std::set<std::string> distinct(shown.begin(), shown.end());
  EXPECT_EQ(distinct.size(), 7u);
  for (const char* path : {"P\\3.jpg", "P\\odd\\3.jpg", "P\\4.jpg", "P\\4.JPG"})
    EXPECT_FALSE(distinct.contains(path)) << path;
  EXPECT_TRUE(distinct.contains("P\\100.jpg"));
  EXPECT_EQ(Make(GetParam(), 1, HiddenFilter({PicturePath(0)}))->PathAhead(0), "");
}

INSTANTIATE_TEST_SUITE_P(Sources, Sequence,
                         ::testing::Values(SourceCase{"folder", false, false}, SourceCase{"tree", true, false},
                                           SourceCase{"shuffled", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Gone back and forward again before the run ends: the next run goes on
// with the round where the newest pick left it, so no slide of this run
// comes again before the round is over.
TEST(ShuffledSequence, GoesOnWithTheRoundAfterGoingBack) {
  const SourceCase shuffled{"shuffled", false, true};
  auto first = Make(shuffled, 40);
  const Paths shown = Forward(*first, 9);
  Backward(*first, 6);
  const std::optional<ShufflePlace> kept = first->Place(0);
  ASSERT_TRUE(kept);
  auto second = Make(shuffled, 40, {}, kept);
  const Paths next = Forward(*second, 29);
  std::set<std::string> all(shown.begin(), shown.end());
  all.insert(next.begin(), next.end());
  EXPECT_EQ(all.size(), 40u) << "the round shows each picture once, across both runs";
}

}  // namespace
}  // namespace slideshow
