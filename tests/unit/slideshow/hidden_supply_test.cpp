// No source shows a hidden picture: the folder scan, the tree, the
// registered list, shuffled or not, whatever the case of the hidden path's
// letters; the other pictures are all shown.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "fake_saver_host.h"
#include "memory_folder_tree.h"
#include "settings/memory_directory.h"
#include "slideshow/picture_scan.h"
#include "slideshow/picture_supply.h"

namespace slideshow {
namespace {

using testing::Filled;
using testing::MemoryFolderTree;

const ShowFit kFit{DisplayMethod::Still, {64, 48}};
const std::vector<std::string> kFolder = {"T\\a.jpg", "T\\b.jpg", "T\\c.jpg", "T\\d.jpg"};

struct SourceCase {
  const char* name;
  bool registered, subFolders, shuffle;
  std::set<std::string> shown;
};

PictureReaders Readers() {
  auto tree = std::make_shared<MemoryFolderTree>();
  settings::MemoryDirectory directory;
  tree->Folder("T").Folder("T\\sub").File("T\\sub\\e.jpg").File("T\\sub\\f.jpg");
  for (const std::string& path : kFolder) {
    tree->File(path);
    directory.AddEntry("T", path.substr(2));
  }
  return {[](const std::string&, const codecs::ShownSize&) -> std::optional<codecs::Image> { return Filled(4, 4, 1); },
          [directory](const std::string& folder, settings::PictureList& list) mutable {
            ScanPictureFolder(folder, directory, list);
          },
          [tree](PictureWalk walk, const WalkReceiver& receiver) {
            walk.masks = {"\\*.jpg"};
            WalkPictureTree(walk, *tree, receiver);
          }};
}

class HiddenSource : public ::testing::TestWithParam<SourceCase> {};

TEST_P(HiddenSource, ShowsEveryPictureButTheHiddenOnes) {
  const SourceCase& c = GetParam();
  PictureSupply supply(Readers(), {{}, {}, false}, {}, HiddenFilter({"t\\B.JPG", "T\\SUB\\e.jpg", "T\\x.jpg"}));
  const int seat = supply.Join(0);
  settings::PictureSettings picture;
  picture.folder = "T";
  picture.useRegisteredList = c.registered;
  picture.subFolders = c.subFolders;
  picture.shuffle = c.shuffle;
  settings::PictureList stored;
  for (size_t i = 0; i < kFolder.size(); ++i) stored.paths[i] = kFolder[i];
  stored.entryCount = 4, stored.lastIndex = 3;
  supply.Refresh(picture, stored);
  std::set<std::string> shown;
  for (int i = 0; i < 12; ++i) {
    ASSERT_TRUE(supply.TakeCurrent(seat, kFit).Ready());
    shown.insert(supply.CurrentPath(seat));
    supply.Advance();
  }
  EXPECT_EQ(shown, c.shown);
}

const std::set<std::string> kFolderShown = {"T\\a.jpg", "T\\c.jpg", "T\\d.jpg"};

INSTANTIATE_TEST_SUITE_P(
    Sources, HiddenSource,
    ::testing::Values(SourceCase{"folderScan", false, false, false, kFolderShown},
                      SourceCase{"registered", true, false, false, kFolderShown},
                      SourceCase{"tree", false, true, false, {"T\\a.jpg", "T\\c.jpg", "T\\d.jpg", "T\\sub\\f.jpg"}},
                      SourceCase{"treeShuffled", false, true, true, {"T\\a.jpg", "T\\c.jpg", "T\\d.jpg", "T\\sub\\f.jpg"}},
                      SourceCase{"folderShuffled", false, false, true, kFolderShown},
                      SourceCase{"registeredShuffled", true, false, true, kFolderShown}),
    [](const auto& info) { return std::string(info.param.name); });

// Every picture hidden: nothing to show, as for an empty folder.
TEST(HiddenSource, AllHiddenShowsTheSample) {
  for (const bool shuffle : {false, true}) {
    PictureSupply supply(Readers(), {{}, {}, false}, {}, HiddenFilter(kFolder));
    const int seat = supply.Join(0);
    settings::PictureSettings picture;
    picture.folder = "T";
    picture.shuffle = shuffle;
    supply.Refresh(picture, {});
    const PictureRead read = supply.TakeCurrent(seat, kFit);
    ASSERT_TRUE(read.Ready()) << shuffle;
    EXPECT_TRUE(read.Failed()) << "the sample";
    EXPECT_EQ(supply.CurrentPath(seat), "");
  }
}

}  // namespace
}  // namespace slideshow
