#include "slideshow/picture_scan.h"

#include <gtest/gtest.h>

#include "settings/memory_directory.h"

namespace slideshow {
namespace {

TEST(ScanPictureFolder, GroupsByMaskInMaskOrderIgnoringCase) {
  settings::MemoryDirectory dir;
  for (const char* name : {"e.png", "d.ico", "a.jpg", "b.BMP", "c.jpeg", "notes.txt"}) dir.AddEntry("C:\\Photos", name);
  settings::PictureList list;
  ScanPictureFolder("C:\\Photos", dir, list);
  EXPECT_EQ(list.entryCount, 5);
  EXPECT_EQ(list.lastIndex, 4);
  EXPECT_EQ(list.paths[0], "C:\\Photos\\b.BMP");
  EXPECT_EQ(list.paths[1], "C:\\Photos\\a.jpg");
  EXPECT_EQ(list.paths[2], "C:\\Photos\\c.jpeg");
  EXPECT_EQ(list.paths[3], "C:\\Photos\\d.ico");
  EXPECT_EQ(list.paths[4], "C:\\Photos\\e.png");
  EXPECT_EQ(dir.patternsSearched.front(), "C:\\Photos\\*.bmp");
  EXPECT_EQ(dir.patternsSearched.back(), "C:\\Photos\\*.hif");
  EXPECT_EQ(dir.patternsSearched.size(), 16u);
}

TEST(ScanPictureFolder, StopsAtOneHundredEntriesOverAllMasks) {
  settings::MemoryDirectory dir;
  for (int i = 0; i < 60; ++i) dir.AddEntry("P", "b" + std::to_string(i) + ".bmp");
  for (int i = 0; i < 60; ++i) dir.AddEntry("P", "j" + std::to_string(i) + ".jpg");
  dir.AddEntry("P", "late.gif");
  settings::PictureList list;
  ScanPictureFolder("P", dir, list);
  EXPECT_EQ(list.entryCount, 100);
  EXPECT_EQ(list.lastIndex, 99);
  EXPECT_EQ(list.paths[59], "P\\b59.bmp");
  EXPECT_EQ(list.paths[99], "P\\j39.jpg");
  EXPECT_EQ(list.paths[100], "");
  EXPECT_EQ(dir.patternsSearched.size(), 2u);  // no mask after .jpg is searched
}

TEST(ScanPictureFolder, OneHundredFiftyBitmapsFillTheListWithBitmapsOnly) {
  settings::MemoryDirectory dir;
  for (int i = 0; i < 150; ++i) dir.AddEntry("P", std::to_string(i) + ".bmp");
  dir.AddEntry("P", "x.jpg");
  settings::PictureList list;
  ScanPictureFolder("P", dir, list);
  EXPECT_EQ(list.entryCount, 100);
  EXPECT_EQ(list.paths[99], "P\\99.bmp");
  EXPECT_EQ(dir.patternsSearched.size(), 1u);
}

TEST(ScanPictureFolder, DuplicatesAndFoldersAreListedLikeFiles) {
  // "x.jpeg" does not match *.jpg, but a sub-folder "pics.bmp" matches *.bmp.
  settings::MemoryDirectory dir;
  dir.AddEntry("P", "pics.bmp");
  dir.AddEntry("P", "x.jpeg");
  settings::PictureList list;
  ScanPictureFolder("P", dir, list);
  EXPECT_EQ(list.entryCount, 2);
  EXPECT_EQ(list.paths[0], "P\\pics.bmp");
}

TEST(ScanPictureFolder, EmptyFolderKeepsOldSlotsAndLastIndex) {
  settings::MemoryDirectory dir;
  settings::PictureList list;
  list.paths[0] = "old";
  list.lastIndex = 7;
  list.entryCount = 8;
  list.currentIndex = 3;
  ScanPictureFolder("C:\\Empty", dir, list);
  EXPECT_EQ(list.entryCount, 0);
  EXPECT_EQ(list.lastIndex, 7);
  EXPECT_EQ(list.currentIndex, 3);
  EXPECT_EQ(list.paths[0], "old");
}

TEST(ScanPictureFolder, RootAndEmptyFolderTextsJoinDirectly) {
  settings::MemoryDirectory dir;
  dir.AddEntry("C:", "a.bmp");
  dir.AddEntry("", "b.bmp");
  settings::PictureList list;
  ScanPictureFolder("C:", dir, list);  // a stored C:\ arrives without its backslash
  EXPECT_EQ(list.paths[0], "C:\\a.bmp");
  ScanPictureFolder("", dir, list);
  EXPECT_EQ(dir.patternsSearched.back(), "\\*.hif");
  EXPECT_EQ(list.paths[0], "\\b.bmp");
}

// A search that goes on after being told to stop.
struct EndlessSearch : settings::DirectorySearch {
  void Find(const std::string&, const OnEntry& onEntry) override {
    for (int i = 0; i < 150; ++i) onEntry("a.bmp");
  }
};

TEST(ScanPictureFolder, RefusesToWritePastTheLimitWhenTheSearchIgnoresTheStop) {
  EndlessSearch dir;
  settings::PictureList list;
  list.paths[100] = "kept";
  ScanPictureFolder("P", dir, list);
  EXPECT_EQ(list.entryCount, 100);
  EXPECT_EQ(list.lastIndex, 99);
  EXPECT_EQ(list.paths[100], "kept");
}

TEST(PictureList, IndicesPastTheSlotsReadAsEmpty) {
  settings::PictureList list;
  list.paths[100] = "last";
  EXPECT_EQ(list.PathAt(100), "last");
  EXPECT_EQ(list.PathAt(101), "");
  EXPECT_EQ(list.PathAt(-1), "");
}

}  // namespace
}  // namespace slideshow
