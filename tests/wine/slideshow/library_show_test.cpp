// The library roads of the real saver: a folder's whole tree (sub-folders
// taken, hidden ones skipped, a link back up walked once) and the shuffled
// order (nothing twice in a round, and no limit of 100 on a shuffled folder).
// Each picture has a colour of its own, so the centre of the screen tells
// which one is shown.
#include <gtest/gtest.h>

#include <cstddef>
#include <cwchar>
#include <map>
#include <set>
#include <vector>

#include "tests/wine/driver/unix_link.h"
#include "tests/wine/driver/wait.h"
#include "tests/wine/slideshow/screen_pixels.h"
#include "tests/wine/slideshow/show_fixture.h"
#include "tests/wine/slideshow/test_pictures.h"

namespace slideshow_test {
namespace {

constexpr int32_t kPictureW = 160, kPictureH = 120;
constexpr DWORD kPerSwitchMs = 1500;

POINT ScreenCentre() {
  const RECT s = ScreenRect();
  return {s.right / 2, s.bottom / 2};
}

// A colour for each number below 4096, none of them black.
uint32_t Colour(size_t number) { return 0x800000 | uint32_t(number << 4); }

// Writes `count` pictures named 000.bmp on into the folder; by name, their colours.
std::map<std::wstring, uint32_t> WritePictures(const std::wstring& folder, size_t count, size_t firstColour = 0) {
  std::map<std::wstring, uint32_t> colours;
  for (size_t i = 0; i < count; ++i) {
    wchar_t name[16];
    std::swprintf(name, 16, L"%03u.bmp", unsigned(i));
    colours[name] = Colour(firstColour + i);
    WriteSolidBmp(folder + L"\\" + name, kPictureW, kPictureH, colours[name]);
  }
  return colours;
}

std::vector<uint32_t> Colours(const std::vector<Shown>& shown) {
  std::vector<uint32_t> colours;
  for (const Shown& one : shown) colours.push_back(one.rgb);
  return colours;
}

TEST(LibraryTree, SubFoldersAreShownHiddenOnesNeverAndALinkBackUpAddsNothing) {
  TempFolder top;
  top.MakeFolder(L"2023");
  top.MakeFolder(L"2023\\12");
  top.MakeFolder(L"2024");
  top.MakeFolder(L"2024\\05");
  top.MakeFolder(L".thumbnails");
  const std::vector<std::wstring> taken{L"cover.bmp", L"2023\\12\\IMG_0001.bmp", L"2024\\05\\IMG_0002.bmp",
                                        L"2024\\05\\IMG_0003.bmp"};
  std::set<uint32_t> takenColours, hiddenColours;
  for (size_t i = 0; i < taken.size(); ++i) {
    WriteSolidBmp(top.File(taken[i]), kPictureW, kPictureH, Colour(i));
    takenColours.insert(Colour(i));
  }
  for (const auto& [name, rgb] : WritePictures(top.File(L".thumbnails"), 2, taken.size())) hiddenColours.insert(rgb);
  const driver::UnixLink back(top.File(L"2024\\back-to-top"), top.Path());

  RunningShow show({.folder = top.Path(), .switchSeconds = 1, .subFolders = 1});
  const size_t round = taken.size();
  const std::vector<uint32_t> shown = Colours(WatchPixel(ScreenCentre(), 2 * round + 1, (2 * round + 2) * kPerSwitchMs));
  ASSERT_EQ(shown.size(), 2 * round + 1);
  const std::vector<uint32_t> first(shown.begin(), shown.begin() + std::ptrdiff_t(round));
  EXPECT_EQ(std::set<uint32_t>(first.begin(), first.end()), takenColours) << "a round is each picture once";
  for (size_t i = round; i < shown.size(); ++i) EXPECT_EQ(shown[i], shown[i - round]) << "switch " << i;
  for (uint32_t rgb : shown) EXPECT_FALSE(hiddenColours.contains(rgb)) << "a hidden folder's picture was shown";
}

TEST(Shuffle, TwentyFiveSwitchesRepeatNothing) {
  TempFolder folder;
  const auto colours = WritePictures(folder.Path(), 26);
  std::vector<uint32_t> listed;
  for (const std::wstring& name : SearchOrder(folder.Path() + L"\\*.bmp")) listed.push_back(colours.at(name));

  RunningShow show({.folder = folder.Path(), .switchSeconds = 1, .shuffle = 1});
  const std::vector<uint32_t> shown = Colours(WatchPixel(ScreenCentre(), 25, 27 * kPerSwitchMs));
  ASSERT_EQ(shown.size(), 25u);
  EXPECT_EQ(std::set<uint32_t>(shown.begin(), shown.end()).size(), shown.size()) << "a picture came twice";
  EXPECT_NE(shown, std::vector<uint32_t>(listed.begin(), listed.begin() + 25)) << "the listed order, unshuffled";
}

TEST(Shuffle, AFolderOfThreeHundredShowsPicturesBeyondTheFirstHundredListed) {
  TempFolder folder;
  const auto colours = WritePictures(folder.Path(), 300);
  std::set<uint32_t> firstHundred, all;
  for (const std::wstring& name : SearchOrder(folder.Path() + L"\\*.bmp")) {
    if (firstHundred.size() < 100) firstHundred.insert(colours.at(name));
    all.insert(colours.at(name));
  }

  RunningShow show({.folder = folder.Path(), .switchSeconds = 1, .shuffle = 1});
  // Two in three pictures lie beyond the first hundred: ten switches all
  // within it would be a one in 59 049 chance.
  const POINT centre = ScreenCentre();
  const bool beyond = driver::WaitUntil(
      [&] {
        const uint32_t rgb = ScreenPixel(centre.x, centre.y);
        return all.contains(rgb) && !firstHundred.contains(rgb);
      },
      11 * kPerSwitchMs);
  EXPECT_TRUE(beyond) << "only pictures of the first hundred the system lists";
}

}  // namespace
}  // namespace slideshow_test
