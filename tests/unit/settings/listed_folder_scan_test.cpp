// The folder scan over one listing against the search per mask over the same
// folder: a search matches each mask against the long and the short name of
// every entry, in the listing's order, and takes whatever the entry is.
#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "codecs/system_codecs.h"
#include "settings/folder_scan.h"
#include "settings/name_mask.h"

namespace settings {
namespace {

FolderEntry File(std::string name, std::string shortName = {}) { return {std::move(name), false, false, false, std::move(shortName)}; }
// A folder, a hidden file or a placeholder, as `flag` says.
FolderEntry Flagged(std::string name, bool FolderEntry::*flag) {
  FolderEntry entry = File(std::move(name));
  entry.*flag = true;
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

// The names the scan gives through one listing or through the search per mask.
template <class Source>
std::vector<std::string> Names(Source& source) {
  std::vector<std::string> names;
  ScanPictureNames(source, FakeFolder::kFolder, [&](const std::string& name) { names.push_back(name); });
  return names;
}

// `count` files named prefix0.extension, prefix1.extension, ... after `before`.
std::vector<FolderEntry> Numbered(std::vector<FolderEntry> before, const std::string& prefix, int count,
                                  const std::string& extension) {
  for (int i = 0; i < count; ++i) before.push_back(File(prefix + std::to_string(i) + extension));
  return before;
}
std::vector<std::string> NamesOf(const std::vector<FolderEntry>& entries) {
  std::vector<std::string> names;
  for (const FolderEntry& entry : entries) names.push_back(entry.name);
  return names;
}

struct Row {
  const char* what;
  std::vector<FolderEntry> entries;
  std::vector<std::string> expected;
  // The system's codecs name their own extensions; one that is no plain
  // extension still matches as the search matches it.
  std::vector<std::string> systemExtensions = {};
};

// Names of mixed case and names whose short name matches where the long one
// does not are proved against the system's search on a real folder.
TEST(ListedFolderScan, GivesTheListOfASearchPerMask) {
  const std::vector<Row> rows{
      {"masks in order",
       {File("z.hif"), File("y.heif"), File("x.heic"), File("w.avif"), File("v.webp"), File("u.png"), File("t.ico"),
        File("s.pcx"), File("r.tga"), File("q.rle"), File("p.dib"), File("o.jif"), File("n.gif"), File("m.jpeg"),
        File("l.jpg"), File("k.bmp")},
       {"k.bmp", "l.jpg", "m.jpeg", "n.gif", "o.jif", "p.dib", "q.rle", "r.tga", "s.pcx", "t.ico", "u.png",
        "v.webp", "w.avif", "x.heic", "y.heif", "z.hif"}},
      {"the limit over all masks",
       Numbered(Numbered(Numbered({}, "j", 60, ".jpg"), "b", 60, ".bmp"), "late", 1, ".gif"),
       NamesOf(Numbered(Numbered({}, "b", 60, ".bmp"), "j", 40, ".jpg"))},
      {"the limit within the first mask", Numbered(Numbered({}, "b", 150, ".bmp"), "x", 1, ".jpg"),
       NamesOf(Numbered({}, "b", 100, ".bmp"))},
      {"a folder link, hidden files and placeholders",
       {Flagged("trip.jpg", &FolderEntry::isFolder), Flagged("h.bmp", &FolderEntry::hidden),
        Flagged("cloud.png", &FolderEntry::notLocal), Flagged("album", &FolderEntry::isFolder)},
       {"h.bmp", "trip.jpg", "cloud.png"}},
      {"masks of the system's codecs",
       {File("a.TIF"), File("b.jxr"), File("c.JPR"), File("d.x.y"), File("e.y"), File("f.tiff", "F~1.TIF")},
       {"a.TIF", "f.tiff", "b.jxr", "c.JPR", "d.x.y"},
       {"tif", "j?r", "x.y"}},
  };
  for (const Row& row : rows) {
    codecs::InstallSystemCodecs({row.systemExtensions, [](codecs::Bytes) { return std::optional<codecs::Image>(); }});
    FakeFolder folder(row.entries);
    EXPECT_EQ(Names<DirectorySearch>(folder), row.expected) << row.what;
    EXPECT_EQ(Names<FolderListing>(folder), row.expected) << row.what;
  }
  codecs::InstallSystemCodecs({});
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
