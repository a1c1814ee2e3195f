// The folder listing the whole-tree walk reads, on Wine's real file system:
// each entry once with what decides whether the walk takes it, and folders
// told apart by their identity whatever the path that reaches them.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "platform/utf16.h"
#include "settings/folder_listing_win.h"
#include "tests/wine/driver/unix_link.h"
#include "tests/wine/slideshow/test_pictures.h"

namespace {

using slideshow_test::TempFolder;
using Attributes = std::tuple<bool, bool, bool>;  // folder, hidden, not local

std::string Utf8(const std::wstring& text) { return platform::Utf8FromWide(text); }

TEST(FolderListing, EachEntryOnceWithWhatTheWalkDecidesBy) {
  TempFolder top;
  struct Row {
    std::wstring name;
    DWORD attributes;  // 0: a folder
    Attributes expected;
  };
  // Wine keeps the hidden and system attributes but none of the cloud
  // placeholder's; it shows a Unix name beginning with a dot as hidden.
  const std::vector<Row> rows{
      {L"a.jpg", FILE_ATTRIBUTE_NORMAL, {false, false, false}},
      {L"read-only.jpg", FILE_ATTRIBUTE_READONLY, {false, false, false}},
      {L"hidden.jpg", FILE_ATTRIBUTE_HIDDEN, {false, true, false}},
      {L"system.jpg", FILE_ATTRIBUTE_SYSTEM, {false, true, false}},
      {L"2024", 0, {true, false, false}},
      {L".thumbnails", 0, {true, true, false}},
      {L"写真 📷", 0, {true, false, false}},
  };
  std::map<std::string, Attributes> expected;
  for (const Row& row : rows) {
    if (row.attributes == 0) {
      top.MakeFolder(row.name);
    } else {
      slideshow_test::WriteBytes(top.File(row.name), "x");
      ASSERT_TRUE(::SetFileAttributesW(top.File(row.name).c_str(), row.attributes));
    }
    expected[Utf8(row.name)] = row.expected;
  }

  std::map<std::string, Attributes> listed;
  size_t calls = 0;
  settings::Win32FolderListing().List(Utf8(top.Path()), [&](const settings::FolderEntry& entry) {
    ++calls;
    listed[entry.name] = {entry.isFolder, entry.hidden, entry.notLocal};
    return true;
  });
  EXPECT_EQ(listed, expected);
  EXPECT_EQ(calls, rows.size());
}

TEST(FolderListing, AFolderReachedThroughALinkIdentifiesAsItsTarget) {
  TempFolder top;
  const std::wstring month = top.MakeFolder(L"2024") + L"\\05";
  ASSERT_TRUE(::CreateDirectoryW(month.c_str(), nullptr));
  const driver::UnixLink back(month + L"\\back-to-top", top.Path());
  settings::Win32FolderListing listing;

  const auto topIdentity = listing.Identify(Utf8(top.Path()));
  ASSERT_TRUE(topIdentity);
  EXPECT_EQ(listing.Identify(Utf8(month + L"\\back-to-top")), topIdentity);
  EXPECT_EQ(listing.Identify(Utf8(month + L"\\back-to-top\\2024\\05\\back-to-top")), topIdentity);
  const auto monthIdentity = listing.Identify(Utf8(month));
  ASSERT_TRUE(monthIdentity);
  EXPECT_NE(monthIdentity, topIdentity);
  EXPECT_FALSE(listing.Identify(Utf8(top.File(L"gone"))));
}

}  // namespace
