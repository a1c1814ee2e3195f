// The folder scan over one listing against the search per mask over the same
// folder: a search matches each mask against the long and the short name of
// every entry, in the listing's order, and takes whatever the entry is.
#include <gmock/gmock.h>

#include <map>

#include "codecs/system_codecs.h"
#include "settings/folder_scan.h"
#include "settings/name_mask.h"

namespace settings {
namespace {

FolderEntry File(std::string name, std::string shortName = {}) {
  FolderEntry entry;
  entry.name = std::move(name);
  entry.shortName = std::move(shortName);
  return entry;
}

class FakeFolder : public FolderListing, public DirectorySearch {
 public:
  explicit FakeFolder(std::vector<FolderEntry> entries) : entries_(std::move(entries)) {}

  void List(const std::string& folder, const FolderListing::OnEntry& onEntry) override {
    if (folder != kFolder) return;
    for (const FolderEntry& entry : entries_)
      if (!onEntry(entry)) return;
  }
  std::optional<FolderIdentity> Identify(const std::string&) override { return std::nullopt; }

  void Find(const std::string& pattern, const DirectorySearch::OnEntry& onEntry) override {
    const size_t cut = pattern.rfind('\\');
    if (pattern.substr(0, cut) != kFolder) return;
    const std::string mask = pattern.substr(cut + 1);
    for (const FolderEntry& entry : entries_) {
      const bool matches = MatchesMask(entry.name, mask) || (!entry.shortName.empty() && MatchesMask(entry.shortName, mask));
      if (matches && !onEntry(entry.name)) return;
    }
  }

  static constexpr const char* kFolder = "C:\\Photos";

 private:
  std::vector<FolderEntry> entries_;
};

std::vector<std::string> Scanned(FolderListing& listing) {
  std::vector<std::string> names;
  ScanPictureNames(listing, FakeFolder::kFolder, [&](const std::string& name) { names.push_back(name); });
  return names;
}

std::vector<std::string> Searched(DirectorySearch& search) {
  std::vector<std::string> names;
  ScanPictureNames(search, FakeFolder::kFolder, [&](const std::string& name) { names.push_back(name); });
  return names;
}

std::vector<FolderEntry> Numbered(const std::string& prefix, int count, const std::string& extension) {
  std::vector<FolderEntry> entries;
  for (int i = 0; i < count; ++i) entries.push_back(File(prefix + std::to_string(i) + extension));
  return entries;
}

std::vector<std::string> NumberedNames(const std::string& prefix, int count, const std::string& extension) {
  std::vector<std::string> names;
  for (const FolderEntry& entry : Numbered(prefix, count, extension)) names.push_back(entry.name);
  return names;
}

template <typename T>
std::vector<T> Joined(std::vector<T> a, const std::vector<T>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

FolderEntry Folder(std::string name) {
  FolderEntry entry = File(std::move(name));
  entry.isFolder = true;
  return entry;
}

FolderEntry Hidden(std::string name) {
  FolderEntry entry = File(std::move(name));
  entry.hidden = true;
  return entry;
}

FolderEntry Placeholder(std::string name) {
  FolderEntry entry = File(std::move(name));
  entry.notLocal = true;
  return entry;
}

struct Row {
  const char* what;
  std::vector<FolderEntry> entries;
  std::vector<std::string> expected;
};

TEST(ListedFolderScan, GivesTheListOfASearchPerMask) {
  const std::vector<Row> rows{
      {"mixed case; a letter outside ASCII matches only itself",
       {File("b.BMP"), File("A.Jpg"), File("notes.TXT"), File("c.JPEG"), File("d.jpeg"), File("E.HeIc"),
        File("x.gıf")},
       {"b.BMP", "A.Jpg", "c.JPEG", "d.jpeg", "E.HeIc"}},
      {"short names",
       {File("holiday.jpgx", "HOLIDA~1.JPG"), File("long picture name.jpeg", "LONGPI~1.JPE"),
        File("scan.tiff", "SCAN~1.TIF"), File("a.jpg"), File("old.gif.bak", "OLDGIF~1.BAK"),
        File("frame.pngs", "FRAME~1.PNG")},
       {"holiday.jpgx", "a.jpg", "long picture name.jpeg", "frame.pngs"}},
      {"masks in order",
       {File("z.hif"), File("y.heif"), File("x.heic"), File("w.avif"), File("v.webp"), File("u.png"), File("t.ico"),
        File("s.pcx"), File("r.tga"), File("q.rle"), File("p.dib"), File("o.jif"), File("n.gif"), File("m.jpeg"),
        File("l.jpg"), File("k.bmp")},
       {"k.bmp", "l.jpg", "m.jpeg", "n.gif", "o.jif", "p.dib", "q.rle", "r.tga", "s.pcx", "t.ico", "u.png",
        "v.webp", "w.avif", "x.heic", "y.heif", "z.hif"}},
      {"the limit over all masks",
       Joined(Joined(Numbered("j", 60, ".jpg"), Numbered("b", 60, ".bmp")), {File("late.gif")}),
       Joined(NumberedNames("b", 60, ".bmp"), NumberedNames("j", 40, ".jpg"))},
      {"the limit within the first mask", Joined(Numbered("b", 150, ".bmp"), {File("x.jpg")}),
       NumberedNames("b", 100, ".bmp")},
      {"a folder link, hidden files and placeholders",
       {Folder("trip.jpg"), Hidden("h.bmp"), Placeholder("cloud.png"), Folder("album")},
       {"h.bmp", "trip.jpg", "cloud.png"}},
  };
  for (const Row& row : rows) {
    FakeFolder folder(row.entries);
    EXPECT_EQ(Searched(folder), row.expected) << row.what;
    EXPECT_EQ(Scanned(folder), row.expected) << row.what;
  }
}

// The system's codecs name their own extensions; one that is no plain
// extension still matches as the search matches it.
TEST(ListedFolderScan, AMaskOfAnotherShapeMatchesAsTheSearchMatches) {
  codecs::InstallSystemCodecs({{"tif", "j?r", "x.y"}, [](codecs::Bytes) { return std::optional<codecs::Image>(); }});
  FakeFolder folder({File("a.TIF"), File("b.jxr"), File("c.JPR"), File("d.x.y"), File("e.y"), File("f.tiff", "F~1.TIF")});
  const std::vector<std::string> searched = Searched(folder), scanned = Scanned(folder);
  codecs::InstallSystemCodecs({});
  EXPECT_EQ(searched, (std::vector<std::string>{"a.TIF", "f.tiff", "b.jxr", "c.JPR", "d.x.y"}));
  EXPECT_EQ(scanned, searched);
}

TEST(ListedFolderScan, FillsTheDialogsFolderListAsTheSearchDoes) {
  FakeFolder folder({File("b.jpg"), File("a.BMP"), File("c.jpgx", "C~1.JPG")});
  PictureSelectionState listed, searched;
  listed.scanCount = searched.scanCount = 3;
  ScanFolder(static_cast<FolderListing&>(folder), "C:\\Photos\\", listed);
  ScanFolder(static_cast<DirectorySearch&>(folder), "C:\\Photos\\", searched);
  EXPECT_EQ(listed.scanCount, 3);
  EXPECT_EQ(listed.scanLast, 2);
  EXPECT_EQ(listed.scanNames, searched.scanNames);
  EXPECT_EQ(listed.scanNames[0], "a.BMP");
}

}  // namespace
}  // namespace settings
