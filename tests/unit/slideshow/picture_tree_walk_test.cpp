// The library's walk over folders in memory: what it takes and skips, how it
// meets a folder twice, how deep it goes, and in what order and batches it
// hands its finds on.
#include "slideshow/picture_tree_walk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memory_folder_tree.h"

namespace slideshow {
namespace {

using testing::MemoryFolderTree;

const std::vector<std::string> kMasks = {"\\*.jpg", "\\*.heic", "\\*.png"};

struct Walked {
  std::vector<std::string> paths;
  std::vector<size_t> batchSizes;
};

Walked WalkOf(MemoryFolderTree& tree, bool wholeTree, size_t stopAfter = SIZE_MAX,
              std::chrono::milliseconds gather = {}) {
  Walked walked;
  WalkPictureTree({"T", wholeTree, kMasks, gather}, tree,
                  {[&](PictureCatalog&& found) {
                     walked.batchSizes.push_back(found.Size());
                     for (size_t i = 0; i < found.Size(); ++i) walked.paths.push_back(found.PathAt(i));
                     return walked.paths.size() < stopAfter;
                   },
                   [] { return true; }});
  return walked;
}

using Paths = std::vector<std::string>;

// A dated library: pictures of every depth, in the order each folder lists
// them, a folder's own before its sub-folders'; the masks' extensions in any
// case; everything else, hidden or system entries and cloud placeholders
// left out.
TEST(PictureTreeWalk, TakesThePicturesOfTheWholeTreeAndSkipsWhatItMust) {
  MemoryFolderTree tree;
  tree.Folder("T")
      .File("T\\top.JPG")
      .Folder("T\\2024")
      .Folder("T\\2024\\05")
      .File("T\\2024\\05\\IMG_1.HEIC")
      .File("T\\2024\\05\\notes.txt")
      .File("T\\2024\\05\\IMG_2.heic")
      .File("T\\2024\\05\\cloud.jpg", false, true)
      .File("T\\2024\\05\\hidden.jpg", true)
      .Folder("T\\2024\\05\\.thumbnails", true)
      .File("T\\2024\\05\\.thumbnails\\t.jpg")
      .Folder("T\\$RECYCLE.BIN", true)
      .File("T\\$RECYCLE.BIN\\gone.png")
      .Folder("T\\folder.jpg")
      .File("T\\folder.jpg\\inside.png")
      .File("T\\last.png");
  EXPECT_EQ(WalkOf(tree, true).paths,
            (Paths{"T\\top.JPG", "T\\last.png", "T\\2024\\05\\IMG_1.HEIC", "T\\2024\\05\\IMG_2.heic",
                   "T\\folder.jpg\\inside.png"}));
  EXPECT_EQ(WalkOf(tree, false).paths, (Paths{"T\\top.JPG", "T\\last.png"}));
}

// A link back to the top and a second name of a folder are walked through
// once, whatever their names; nothing deeper than the bound is entered.
TEST(PictureTreeWalk, MeetsEveryFolderOnceAndGoesNoDeeperThanTheBound) {
  MemoryFolderTree tree;
  tree.Folder("T").File("T\\a.jpg").Folder("T\\sub").File("T\\sub\\b.jpg");
  tree.Link("T\\sub\\back", "T").Link("T\\again", "T\\sub");
  EXPECT_EQ(WalkOf(tree, true).paths, (Paths{"T\\a.jpg", "T\\sub\\b.jpg"}));

  MemoryFolderTree deep;
  std::string path = "T";
  deep.Folder(path);
  for (int depth = 1; depth <= kMaxTreeDepth + 5; ++depth) {
    path += "\\d";
    deep.Folder(path).File(path + "\\p.jpg");
  }
  const Walked walked = WalkOf(deep, true);
  ASSERT_EQ(walked.paths.size(), size_t(kMaxTreeDepth));
  EXPECT_EQ(std::count(walked.paths.back().begin(), walked.paths.back().end(), '\\'),
            kMaxTreeDepth + 1);
}

// The first picture goes on alone, at once, unless the walk gathers first;
// the rest follow in batches; a receiver that wants no more stops the walk,
// and so does one that stops wanting it between folders.
TEST(PictureTreeWalk, HandsTheFirstPictureOnAtOnceAndStopsWhenTold) {
  MemoryFolderTree tree;
  tree.Folder("T");
  for (int folder = 0; folder < 20; ++folder) {
    const std::string path = "T\\f" + std::to_string(folder);
    tree.Folder(path);
    for (int picture = 0; picture < 500; ++picture)
      tree.File(path + "\\" + std::to_string(picture) + ".jpg");
  }
  const Walked whole = WalkOf(tree, true);
  ASSERT_EQ(whole.paths.size(), 10'000u);
  EXPECT_EQ(whole.batchSizes.front(), 1u);
  EXPECT_EQ(whole.paths.front(), "T\\f0\\0.jpg");
  EXPECT_EQ(whole.paths.back(), "T\\f19\\499.jpg");
  EXPECT_EQ(WalkOf(tree, true, SIZE_MAX, std::chrono::hours(1)).batchSizes,
            (std::vector<size_t>{4096, 4096, 1808}));

  tree.listed.clear();
  EXPECT_EQ(WalkOf(tree, true, 1).paths.size(), 1u);
  EXPECT_EQ(tree.listed.size(), 2u) << "stopped inside the first folder with pictures";

  tree.listed.clear();
  int folders = 0;
  WalkPictureTree({"T", true, kMasks}, tree,
                  {[](PictureCatalog&&) { return true; }, [&] { return ++folders <= 3; }});
  EXPECT_EQ(tree.listed.size(), 3u);
}

}  // namespace
}  // namespace slideshow
