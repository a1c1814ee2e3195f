// The folder listing the whole-tree walk reads, on Wine's real file system:
// folders told apart by their identity whatever the path that reaches them,
// and the same identity whether it comes from the parent's listing or from
// the folder itself. (Which entries the walk takes is the show's test.)
#include <gtest/gtest.h>

#include <map>

#include "platform/utf16.h"
#include "settings/folder_listing_win.h"
#include "tests/wine/driver/unix_link.h"
#include "tests/wine/slideshow/test_pictures.h"

namespace {

using slideshow_test::TempFolder;

std::string Utf8(const std::wstring& text) { return platform::Utf8FromWide(text); }

// Each folder is asked for as a walk asks (after its parent was listed) and
// by a listing that opens it, and must come out the same both ways.
TEST(FolderListing, AFolderReachedThroughALinkIdentifiesAsItsTarget) {
  TempFolder top;
  const std::wstring year = top.MakeFolder(L"2024"), month = top.MakeFolder(L"2024\\05");
  const std::wstring link = month + L"\\back-to-top";
  const driver::UnixLink back(link, top.Path());
  struct Row {
    std::wstring folder;
    std::wstring sameAs;
  };
  const std::vector<Row> rows{
      {top.Path(), top.Path()}, {year, year}, {month, month}, {link, top.Path()}, {link + L"\\2024", year}};

  settings::Win32FolderListing walking, opening;
  std::map<std::wstring, settings::FolderIdentity> walked;
  for (const Row& row : rows) {
    const auto identity = walking.Identify(Utf8(row.folder));
    ASSERT_TRUE(identity) << Utf8(row.folder);
    walking.List(Utf8(row.folder), [](const settings::FolderEntry&) { return true; });
    walked[row.folder] = *identity;
    EXPECT_EQ(opening.Identify(Utf8(row.folder)), identity) << Utf8(row.folder);
  }
  for (const Row& row : rows) EXPECT_EQ(walked.at(row.folder), walked.at(row.sameAs)) << Utf8(row.folder);
  EXPECT_NE(walked.at(year), walked.at(top.Path()));
  EXPECT_NE(walked.at(month), walked.at(year));
  EXPECT_FALSE(opening.Identify(Utf8(top.File(L"gone"))));
}

}  // namespace
