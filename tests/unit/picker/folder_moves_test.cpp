// The folder list's moves: where a move to a folder or a drive ends, in the
// order they were asked, and that the disk is asked on the reader, so a
// drive whose server sleeps never holds the dialog's thread.
#include "picker/folder_moves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "picker/folder_path.h"
#include "tests/support/reader_gate.h"

namespace picker::test {
namespace {

using platform::BackgroundReader;
using tolvex_test::Gate;
using DialogThread = tolvex_test::OwnerThread;

// Folders that exist, drives and their states; a folder or drive in
// `sleeping` holds its question until the gate opens.
struct FakeFolderSystem : FolderSystem {
  std::set<std::string> listable;
  std::map<char, std::string> currentFolder;  // each drive's, as "D:" resolves
  std::set<char> notReady;
  std::set<std::string> sleeping;
  std::shared_ptr<Gate> gate = std::make_shared<Gate>();

  std::string FullPath(const std::string& path) const override {
    if (path.size() == 2 && path[1] == ':') {
      const auto known = currentFolder.find(path[0]);
      return known != currentFolder.end() ? known->second : DriveRoot(path[0]);
    }
    return RootLength(path) > 0 ? ListedFolder(path) : std::string();
  }
  bool SameFolder(const std::string& a, const std::string& b) const override {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
  }
  bool IsListableFolder(const std::string& folder) const override {
    if (sleeping.count(folder)) gate->Pass();
    return RootLength(folder) == folder.size() ||
           std::any_of(listable.begin(), listable.end(), [&](const std::string& f) { return SameFolder(f, folder); });
  }
  DriveChange ProbeDrive(char drive) const override {
    if (sleeping.count(DriveRoot(drive))) gate->Pass();
    if (notReady.count(drive)) return {DriveChange::Kind::NotReady, {}};
    if (drive == 'Q') return {DriveChange::Kind::Failed, "アクセスが拒否されました。"};
    return {};
  }
};

std::shared_ptr<FakeFolderSystem> Disk() {
  auto disk = std::make_shared<FakeFolderSystem>();
  disk->listable = {"C:\\Pics", "C:\\Pics\\2024", "D:\\Photos", "E:\\Shown"};
  disk->currentFolder = {{'D', "D:\\Photos"}, {'E', "E:\\Gone"}};
  disk->notReady = {'A'};
  return disk;
}

// One move asked of the list: "folder:<path>" or "drive:<letter>".
struct MovesCase {
  const char* name;
  std::vector<std::string> asked;
  std::string endsOn;
  std::vector<std::string> answers;  // each move's answer, in order
  int moves;                         // changes of folder reported
};

class FolderMovesTable : public ::testing::TestWithParam<MovesCase> {};

TEST_P(FolderMovesTable, EndWhereTheDiskLetsThemInTheOrderAsked) {
  const MovesCase& c = GetParam();
  BackgroundReader reads({{}, {}, false});
  int moves = 0;
  FolderMoves list(reads, 0, Disk(), "C:\\Pics", [&] { ++moves; });
  std::vector<std::string> answers;
  for (const std::string& ask : c.asked) {
    const std::string what = ask.substr(ask.find(':') + 1);
    if (ask.starts_with("folder:")) {
      if (!list.OpenFolder(what, [&](bool opened) { answers.push_back(opened ? "opened" : "refused"); }))
        answers.push_back("no folder");
    } else {
      list.OpenDrive(what[0], [&](const DriveChange& change) {
        answers.push_back(change.kind == DriveChange::Kind::Done       ? "ready"
                          : change.kind == DriveChange::Kind::NotReady ? "not ready"
                                                                       : change.utf8Message);
      });
    }
  }
  EXPECT_EQ(list.Folder(), c.endsOn);
  EXPECT_EQ(answers, c.answers);
  EXPECT_EQ(moves, c.moves);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FolderMovesTable,
    ::testing::Values(
        MovesCase{"ToAFolder", {"folder:C:\\Pics\\2024\\"}, "C:\\Pics\\2024", {"opened"}, 1},
        MovesCase{"ToAFolderThatIsGone", {"folder:C:\\Gone"}, "C:\\Pics", {"refused"}, 0},
        MovesCase{"ToNoFolderAtAll", {"folder:", "folder:relative"}, "C:\\Pics", {"no folder", "no folder"}, 0},
        MovesCase{"ToTheSameFolderSpeltOtherwise", {"folder:c:\\PICS"}, "C:\\Pics", {"opened"}, 0},
        MovesCase{"ToADrivesCurrentFolder", {"drive:d"}, "D:\\Photos", {"ready"}, 1},
        MovesCase{"ToADriveWhoseCurrentFolderIsGone", {"drive:E"}, "E:\\", {"ready"}, 1},
        MovesCase{"BackToWhereTheUserLeftADrive",
                  {"folder:C:\\Pics\\2024", "drive:D", "drive:C"}, "C:\\Pics\\2024", {"opened", "ready", "ready"}, 3},
        MovesCase{"ToTheDriveShown", {"drive:C"}, "C:\\Pics", {"ready"}, 0},
        MovesCase{"ToADriveWithoutAMedium", {"drive:A"}, "C:\\Pics", {"not ready"}, 0},
        MovesCase{"ToADriveThatFails", {"drive:Q"}, "C:\\Pics", {"アクセスが拒否されました。"}, 0},
        // The opener sets the stored folder, then its drive: a folder that
        // is there leaves nothing for the drive to do; a folder that is gone
        // leaves the list on the stored drive's current folder.
        MovesCase{"TheOpenersFolderThenItsDrive", {"folder:E:\\Shown", "drive:E"}, "E:\\Shown", {"opened", "ready"}, 1},
        MovesCase{"TheOpenersGoneFolderThenItsDrive", {"folder:D:\\Gone", "drive:D"}, "D:\\Photos", {"refused", "ready"}, 1}),
    [](const ::testing::TestParamInfo<MovesCase>& info) { return info.param.name; });

// Before, the dialog's thread opened the folder and listed the drive's root
// itself, and froze for as long as the disk took.
TEST(FolderMovesOnTheReader, TheDialogsThreadGoesOnWhileTheDiskSleeps) {
  DialogThread dialog;
  BackgroundReader reads(dialog.ReaderSetup());
  const auto disk = Disk();
  disk->listable.insert("Z:\\share");
  disk->sleeping = {"Z:\\share", "Y:\\"};
  int moves = 0;
  FolderMoves list(reads, 0, disk, "C:\\Pics", [&] { ++moves; });
  std::vector<std::string> answers;

  const auto asked = std::chrono::steady_clock::now();
  ASSERT_TRUE(list.OpenFolder("Z:\\share", [&](bool opened) { answers.push_back(opened ? "opened" : "refused"); }));
  list.OpenDrive('Y', [&](const DriveChange& change) {
    answers.push_back(change.kind == DriveChange::Kind::Done ? "ready" : "not ready");
  });
  EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(2));
  ASSERT_TRUE(tolvex_test::Eventually([] {}, [&] { return disk->gate->Waiting() == 1; }))
      << "the folder's question is with the disk";
  EXPECT_EQ(list.Folder(), "C:\\Pics");
  EXPECT_TRUE(answers.empty());

  disk->gate->Open();
  ASSERT_TRUE(dialog.DeliverUntil(reads, [&] { return answers.size() == 2; }));
  EXPECT_EQ(answers, (std::vector<std::string>{"opened", "ready"}));
  EXPECT_EQ(list.Folder(), "Y:\\") << "the drive's move began where the folder's left the list";
  EXPECT_EQ(moves, 2);
}

TEST(FolderMovesOnTheReader, AQuickDiskMovesTheListBeforeTheCallReturns) {
  DialogThread dialog;
  BackgroundReader reads(dialog.ReaderSetup());
  FolderMoves list(reads, 0, Disk(), "C:\\Pics", {}, std::chrono::seconds(10));
  bool opened = false;
  list.OpenFolder("D:\\Photos", [&](bool o) { opened = o; });
  EXPECT_TRUE(opened);
  EXPECT_EQ(list.Folder(), "D:\\Photos");
}

}  // namespace
}  // namespace picker::test
