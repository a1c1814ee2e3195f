#include "settings/folder_scan.h"

#include <gmock/gmock.h>

#include "codecs/system_codecs.h"
#include "settings/memory_directory.h"
#include "settings/path_text.h"
#include "store_fixture.h"

namespace settings {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Names(const PictureSelectionState& s) {
  return {s.scanNames.begin(), s.scanNames.begin() + s.scanCount};
}

TEST(ScanFolder, GroupsByMaskInMaskOrderAndKeepsTheSearchOrderWithinOne) {
  MemoryDirectory dir;
  for (const char* name :
       {"z.jpg", "e.avif", "b.BMP", "notes.txt", "f.webp", "c.jpeg", "a.bmp", "g.PNG", "d.ico", "sub.gif",
        "IMG_0001.HEIC", "h.hif", "x.tif"})
    dir.AddEntry("C:\\Photos", name);
  PictureSelectionState s;
  ScanFolder(dir, "C:\\Photos\\", s);
  EXPECT_THAT(Names(s),
              ElementsAre("b.BMP", "a.bmp", "z.jpg", "c.jpeg", "sub.gif", "d.ico", "g.PNG", "f.webp", "e.avif",
                          "IMG_0001.HEIC", "h.hif"));
  EXPECT_EQ(s.scanLast, 10);
  EXPECT_EQ(dir.patternsSearched.front(), "C:\\Photos\\*.bmp");
  EXPECT_EQ(dir.patternsSearched.back(), "C:\\Photos\\*.hif");
  EXPECT_EQ(dir.patternsSearched.size(), 16u);
}

// What the system's codecs read comes after all of ours, in the order chosen.
TEST(ScanFolder, TheSystemCodecsMasksComeLast) {
  codecs::InstallSystemCodecs({{"jxr", "tif"}, [](codecs::Bytes) { return std::optional<codecs::Image>(); }});
  MemoryDirectory dir;
  for (const char* name : {"b.TIF", "a.jxr", "c.heic", "d.bmp"}) dir.AddEntry("C:\\Photos", name);
  PictureSelectionState s;
  ScanFolder(dir, "C:\\Photos", s);
  codecs::InstallSystemCodecs({});
  EXPECT_THAT(Names(s), ElementsAre("d.bmp", "c.heic", "a.jxr", "b.TIF"));
  EXPECT_EQ(dir.patternsSearched.back(), "C:\\Photos\\*.tif");
  EXPECT_EQ(dir.patternsSearched.size(), 18u);
}

TEST(ScanFolder, EmptyOrMissingFolderGivesNoNames) {
  MemoryDirectory dir;
  PictureSelectionState s;
  s.scanCount = 3;
  s.scanLast = 2;
  ScanFolder(dir, "C:\\Nowhere", s);
  EXPECT_EQ(s.scanCount, 0);
  EXPECT_EQ(s.scanLast, -1);
}

TEST(ScanFolder, StopsAt100AcrossMasks) {
  MemoryDirectory dir;
  for (int i = 0; i < 60; ++i) dir.AddEntry("D:", "b" + std::to_string(i) + ".bmp");
  for (int i = 0; i < 60; ++i) dir.AddEntry("D:", "j" + std::to_string(i) + ".jpg");
  dir.AddEntry("D:", "late.ico");
  PictureSelectionState s;
  ScanFolder(dir, "D:\\", s);
  EXPECT_EQ(s.scanCount, 100);
  EXPECT_EQ(s.scanLast, 99);
  EXPECT_EQ(s.scanNames[99], "j39.jpg");
  EXPECT_EQ(s.scanNames[100], "");
  EXPECT_EQ(dir.patternsSearched.size(), 2u);  // no mask is searched past the limit
}

TEST(MatchesMask, WildcardsAndCase) {
  EXPECT_TRUE(MatchesMask("A.JPEG", "*.jpeg"));
  EXPECT_FALSE(MatchesMask("a.jpeg", "*.jpg"));
  EXPECT_TRUE(MatchesMask("a.b.gif", "*.gif"));
  EXPECT_FALSE(MatchesMask("a.gifx", "*.gif"));
  EXPECT_TRUE(MatchesMask("ab", "a?"));
  EXPECT_FALSE(MatchesMask("a", "a?"));
  EXPECT_TRUE(MatchesMask("", "*"));
}

TEST(StripTrailingBackslash, RemovesOneSeparatorOnly) {
  EXPECT_EQ(StripTrailingBackslash("C:\\"), "C:");
  EXPECT_EQ(StripTrailingBackslash("C:\\Photos\\\\"), "C:\\Photos\\");
  EXPECT_EQ(StripTrailingBackslash("C:\\Photos"), "C:\\Photos");
  EXPECT_EQ(StripTrailingBackslash(""), "");
  EXPECT_EQ(StripTrailingBackslash(std::string(259, 'a') + "\\"), std::string(259, 'a'));
}

TEST(StripTrailingBackslash, KeepsCharactersWithA5CTrailByteInCp932) {
  const std::string ten = "十";  // 0x8F 0x5C in CP932
  EXPECT_EQ(StripTrailingBackslash("C:\\" + ten), "C:\\" + ten);
  EXPECT_EQ(StripTrailingBackslash("C:\\" + ten + "\\"), "C:\\" + ten);
  EXPECT_EQ(StripTrailingBackslash("C:\\ｱ\\"), "C:\\ｱ");
}

}  // namespace
}  // namespace settings
