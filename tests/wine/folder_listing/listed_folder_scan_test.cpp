// The folder scan over one listing of a real folder on Wine's file system
// gives the list the system's search per mask gives: names of mixed case,
// names whose short 8.3 name matches a mask their long name does not,
// sub-folders, hidden files and a linked folder, and a folder reached through
// a link. So does the listing through the system's find alone, which reads a
// file system that keeps no directory records by handle.
#include <gtest/gtest.h>

#include <vector>

#include "platform/utf16.h"
#include "settings/directory_search_win.h"
#include "settings/folder_listing_win.h"
#include "settings/folder_scan.h"
#include "tests/wine/driver/unix_link.h"
#include "tests/wine/slideshow/test_pictures.h"

namespace {

using slideshow_test::TempFolder;

std::vector<std::string> Scanned(settings::FolderListing& listing, const std::wstring& folder) {
  std::vector<std::string> names;
  settings::ScanPictureNames(listing, platform::Utf8FromWide(folder),
                             [&](const std::string& name) { names.push_back(name); });
  return names;
}

std::vector<std::string> Searched(settings::DirectorySearch& search, const std::wstring& folder) {
  std::vector<std::string> names;
  settings::ScanPictureNames(search, platform::Utf8FromWide(folder),
                             [&](const std::string& name) { names.push_back(name); });
  return names;
}

TEST(ListedFolderScan, ARealFolderGivesTheListOfTheSearchPerMask) {
  TempFolder top;
  for (const wchar_t* name :
       {L"b.BMP", L"A.Jpg", L"c.JPEG", L"notes.txt", L"holiday.jpgx", L"long picture name.jpeg", L"frame.pngs",
        L"x.gıf", L"写真.heic", L"IMG_0001.HEIC", L"scan.tiff", L"e.webp", L"old.gif.bak", L"d.ico"})
    slideshow_test::WriteBytes(top.File(name), "x");
  slideshow_test::WriteBytes(top.File(L"secret.png"), "x");
  ::SetFileAttributesW(top.File(L"secret.png").c_str(), FILE_ATTRIBUTE_HIDDEN);
  top.MakeFolder(L"trip.jpg");
  const std::wstring other = top.MakeFolder(L"other");
  slideshow_test::WriteBytes(other + L"\\z.bmp", "x");
  const driver::UnixLink linkedFolder(top.File(L"linked.gif"), other);
  const driver::UnixLink linkedTop(other + L"\\back", top.Path());

  settings::Win32DirectorySearch search;
  settings::Win32FolderListing listing, found(settings::Win32FolderListing::Road::Find);
  for (const std::wstring& folder : {top.Path(), other + L"\\back"}) {
    const std::vector<std::string> searched = Searched(search, folder);
    EXPECT_EQ(Scanned(listing, folder), searched) << platform::Utf8FromWide(folder);
    EXPECT_EQ(Scanned(found, folder), searched) << platform::Utf8FromWide(folder);
    EXPECT_GE(searched.size(), 10u) << platform::Utf8FromWide(folder);
  }
}

}  // namespace
