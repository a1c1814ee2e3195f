// The supply showing a library: a tree streamed in while the show begins, a
// shuffled folder past the documented scan's hundred, a round that a second
// run goes on with, and a shuffled registered list.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "fake_saver_host.h"
#include "memory_folder_tree.h"
#include "slideshow/picture_supply.h"
#include "tests/support/reader_gate.h"

namespace slideshow {
namespace {

using tolvex_test::Eventually;
using testing::Filled;
using testing::MemoryFolderTree;

const ShowFit kFit{DisplayMethod::Still, {64, 48}};

DecodeFunction AnyFile() {
  return [](const std::string&, const codecs::ShownSize&) -> std::optional<codecs::Image> {
    return Filled(4, 4, 1);
  };
}

struct WalkCount {
  std::atomic<int> begun = 0, ended = 0;
};

WalkFunction WalkOver(std::shared_ptr<MemoryFolderTree> tree,
                      std::shared_ptr<tolvex_test::Gate> afterFirst = nullptr,
                      std::shared_ptr<WalkCount> walks = std::make_shared<WalkCount>()) {
  return [=](PictureWalk walk, const WalkReceiver& receiver) {
    ++walks->begun;
    bool first = true;
    walk.masks = {"\\*.jpg"};
    WalkPictureTree(walk, *tree,
                    {[&](PictureCatalog&& found) {
                       const bool more = receiver.found(std::move(found));
                       if (std::exchange(first, false) && afterFirst) afterFirst->Pass();
                       return more;
                     },
                     receiver.wanted});
    ++walks->ended;
  };
}

settings::PictureSettings Library(bool subFolders, bool shuffle) {
  settings::PictureSettings picture;
  picture.folder = "T";
  picture.subFolders = subFolders;
  picture.shuffle = shuffle;
  return picture;
}

// The paths `count` switches show, the current one first, reading each
// picture as the show would.
std::vector<std::string> Switch(PictureSupply& supply, int seat, int count) {
  std::vector<std::string> shown;
  for (int i = 0; i < count; ++i) {
    if (i > 0) {
      EXPECT_TRUE(Eventually([&] { supply.Deliver(); }, [&] { return supply.TakeNext(seat, kFit).Ready(); }));
      supply.Advance();
    }
    shown.push_back(supply.CurrentPath(seat));
  }
  return shown;
}

// The first picture is there while the walk still runs; the rest comes, the
// hidden folder's never; a repaint does not walk the tree again.
TEST(LibrarySupply, ATreeIsShownFromItsFirstPictureOnAndWalkedOnce) {
  auto tree = std::make_shared<MemoryFolderTree>();
  tree->Folder("T").Folder("T\\2024").Folder("T\\2024\\.thumbnails", true);
  tree->File("T\\2024\\.thumbnails\\t.jpg");
  for (const char* month : {"01", "02", "03"}) {
    tree->Folder(std::string("T\\2024\\") + month);
    for (const char* name : {"a.jpg", "b.jpg"}) tree->File(std::string("T\\2024\\") + month + "\\" + name);
  }
  auto gate = std::make_shared<tolvex_test::Gate>();
  auto walks = std::make_shared<WalkCount>();
  tolvex_test::OwnerThread owner;
  PictureSupply supply({AnyFile(), {}, WalkOver(tree, gate, walks)}, owner.ReaderSetup());
  const int seat = supply.Join(0);
  supply.Refresh(Library(true, false), {});
  ASSERT_TRUE(Eventually([&] { supply.Deliver(); }, [&] { return supply.TakeCurrent(seat, kFit).Ready(); }));
  EXPECT_EQ(supply.CurrentPath(seat), "T\\2024\\01\\a.jpg");
  EXPECT_EQ(gate->Waiting(), 1) << "the walk still runs";
  gate->Open();
  ASSERT_TRUE(Eventually([] {}, [&] { return walks->ended == 1; }));
  supply.Deliver();
  EXPECT_EQ(Switch(supply, seat, 7),
            (std::vector<std::string>{"T\\2024\\01\\a.jpg", "T\\2024\\01\\b.jpg", "T\\2024\\02\\a.jpg",
                                      "T\\2024\\02\\b.jpg", "T\\2024\\03\\a.jpg", "T\\2024\\03\\b.jpg",
                                      "T\\2024\\01\\a.jpg"}));
  supply.Refresh(Library(true, false), {});
  supply.ReadCurrentAgain(seat);
  ASSERT_TRUE(Eventually([&] { supply.Deliver(); }, [&] { return supply.TakeCurrent(seat, kFit).Ready(); }));
  EXPECT_EQ(walks->begun, 1);
  EXPECT_EQ(supply.CurrentPath(seat), "T\\2024\\01\\a.jpg");
}

// A shuffled folder of 300 shows every one of them once before any again,
// those past the first hundred included; a second run goes on with the
// round where the first left it.
TEST(LibrarySupply, AShuffledFolderShowsAllItsPicturesOnceAcrossRuns) {
  auto tree = std::make_shared<MemoryFolderTree>();
  tree->Folder("T").Folder("T\\sub").File("T\\sub\\deeper.jpg");
  for (int i = 0; i < 300; ++i) tree->File("T\\" + std::to_string(i) + ".jpg");
  std::optional<ShufflePlace> kept;
  const ShuffleKeeping keeping{[&] { return kept; }, [&](const ShufflePlace& place) { kept = place; }};
  std::vector<std::string> shown;
  for (const int switches : {120, 180}) {
    PictureSupply supply({AnyFile(), {}, WalkOver(tree)}, {{}, {}, false}, keeping);
    const int seat = supply.Join(0);
    supply.Refresh(Library(false, true), {});
    ASSERT_TRUE(supply.TakeCurrent(seat, kFit).Ready());
    const std::vector<std::string> run = Switch(supply, seat, switches);
    shown.insert(shown.end(), run.begin(), run.end());
  }
  const std::set<std::string> distinct(shown.begin(), shown.end());
  EXPECT_EQ(distinct.size(), 300u);
  EXPECT_FALSE(distinct.contains("T\\sub\\deeper.jpg"));
  EXPECT_TRUE(distinct.contains("T\\299.jpg"));
}

// The registered list shuffled: each entry that names a file once a round,
// on the documented list's count.
TEST(LibrarySupply, AShuffledRegisteredListShowsEachEntryOnceARound) {
  settings::PictureList stored;
  for (int i = 0; i < 5; ++i) stored.paths[size_t(i)] = "C:\\p\\" + std::to_string(i) + ".jpg";
  stored.paths[5] = "C:\\p\\not-counted.jpg";
  stored.entryCount = 5, stored.lastIndex = 4;
  PictureSupply supply({AnyFile(), {}, {}}, {{}, {}, false});
  const int seat = supply.Join(0);
  settings::PictureSettings picture;
  picture.useRegisteredList = picture.shuffle = picture.subFolders = true;
  supply.Refresh(picture, stored);
  ASSERT_TRUE(supply.TakeCurrent(seat, kFit).Ready());
  const std::vector<std::string> shown = Switch(supply, seat, 10);
  for (const size_t round : {0u, 5u})
    EXPECT_EQ(std::set<std::string>(shown.begin() + round, shown.begin() + round + 5).size(), 5u);
  EXPECT_EQ(std::set<std::string>(shown.begin(), shown.end()).count("C:\\p\\not-counted.jpg"), 0u);
}

}  // namespace
}  // namespace slideshow
