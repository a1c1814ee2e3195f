// The folder list's paths: roots of every kind, the levels a folder splits
// into, joining, tidying and the drive a path is on.
#include "picker/folder_path.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace picker {
namespace {

using ::testing::ElementsAre;

struct PathCase {
  std::string path;
  size_t rootLength;
  char drive;
  std::vector<std::string> captions;  // the levels' captions, root first
};

class FolderPaths : public ::testing::TestWithParam<PathCase> {};

TEST_P(FolderPaths, SplitIntoTheirRootAndFolders) {
  const PathCase& c = GetParam();
  EXPECT_EQ(RootLength(c.path), c.rootLength);
  EXPECT_EQ(DriveOf(c.path), c.drive);
  std::vector<std::string> captions;
  for (const FolderLevel& level : FolderLevels(c.path)) captions.push_back(level.caption);
  EXPECT_EQ(captions, c.captions);
  EXPECT_EQ(FolderLevels(c.path).back().path, c.path) << "the last level is the folder itself";
}

INSTANTIATE_TEST_SUITE_P(
    Table, FolderPaths,
    ::testing::Values(
        PathCase{"C:\\", 3, 'C', {"C:\\"}},
        PathCase{"c:\\Pics\\2024", 3, 'C', {"c:\\", "Pics", "2024"}},
        PathCase{"\\\\server\\share\\", 15, '\0', {"\\\\server\\share\\"}},
        PathCase{"\\\\server\\share\\photos", 15, '\0', {"\\\\server\\share\\", "photos"}},
        PathCase{"\\\\?\\D:\\long\\way", 7, 'D', {"\\\\?\\D:\\", "long", "way"}},
        PathCase{"\\\\?\\UNC\\server\\share\\x", 21, '\0', {"\\\\?\\UNC\\server\\share\\", "x"}},
        PathCase{"C:\\写真\\Ελλάδα\\사진", 3, 'C', {"C:\\", "写真", "Ελλάδα", "사진"}}));

TEST(FolderPathLevels, EachLevelIsTheFullPathDownToIt) {
  const std::vector<FolderLevel> levels = FolderLevels("C:\\Pics\\2024");
  ASSERT_EQ(levels.size(), 3u);
  EXPECT_EQ(levels[0].path, "C:\\");
  EXPECT_EQ(levels[1].path, "C:\\Pics");
  EXPECT_EQ(levels[2].path, "C:\\Pics\\2024");
}

TEST(FolderPathText, JoinsAndTidiesWithoutDoublingOrLosingARootsBackslash) {
  EXPECT_EQ(JoinPath("C:\\", "Pics"), "C:\\Pics");
  EXPECT_EQ(JoinPath("C:\\Pics", "写真"), "C:\\Pics\\写真");
  EXPECT_EQ(JoinPath("\\\\server\\share\\", "x"), "\\\\server\\share\\x");
  EXPECT_EQ(ListedFolder("C:\\Pics\\"), "C:\\Pics");
  EXPECT_EQ(ListedFolder("C:\\"), "C:\\");
  EXPECT_EQ(ListedFolder("C:"), "C:\\");
  EXPECT_EQ(ListedFolder("\\\\server\\share\\"), "\\\\server\\share\\");
  EXPECT_EQ(ListedFolder("\\\\?\\C:"), "\\\\?\\C:\\");
  EXPECT_EQ(DriveRoot('d'), "D:\\");
  EXPECT_EQ(DriveOf(""), '\0');
  EXPECT_EQ(DriveOf("relative\\path"), '\0');
}

}  // namespace
}  // namespace picker
