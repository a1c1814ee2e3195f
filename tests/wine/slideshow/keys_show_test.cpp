// The keys of the real saver with fgKeys, one road each: → and ← change the
// photo and the saver runs on, Space holds it past its time, H hides it for
// good (listed under Hidden, the file untouched, left out of the next run),
// E ends the saver with 0 and opens Explorer on the photo's folder; without
// fgKeys an arrow key ends it with 0.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/wine/driver/input.h"
#include "tests/wine/driver/settings_registry.h"
#include "tests/wine/driver/wait.h"
#include "tests/wine/slideshow/screen_pixels.h"
#include "tests/wine/slideshow/show_fixture.h"
#include "tests/wine/slideshow/test_pictures.h"

namespace slideshow_test {
namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

// a.bmp red, b.bmp green, c.bmp blue, shown in that order.
struct ThreePhotos {
  ThreePhotos() {
    WriteSolidBmp(folder.File(L"a.bmp"), 160, 120, kRed);
    WriteSolidBmp(folder.File(L"b.bmp"), 160, 120, kGreen);
    WriteSolidBmp(folder.File(L"c.bmp"), 160, 120, kBlue);
  }
  TempFolder folder;
};

uint32_t Centre() {
  const RECT s = ScreenRect();
  return ScreenPixel(s.right / 2, s.bottom / 2);
}

bool Shows(uint32_t rgb, DWORD timeoutMs = kStartTimeoutMs) {
  return driver::WaitUntil([&] { return Centre() == rgb; }, timeoutMs);
}

// The texts of the values under Hidden.
std::vector<std::wstring> HiddenPaths() {
  std::vector<std::wstring> paths;
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Morv\\Plim\\Hidden", 0, KEY_READ, &key) != ERROR_SUCCESS)
    return paths;
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    wchar_t data[1024];
    DWORD nameSize = 256, dataSize = sizeof(data), type = 0;
    if (::RegEnumValueW(key, index, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data),
                        &dataSize) != ERROR_SUCCESS)
      break;
    if (type == REG_SZ) paths.emplace_back(data, dataSize / sizeof(wchar_t) - 1);
  }
  ::RegCloseKey(key);
  return paths;
}

TEST(ShowKeys, ArrowsChangeThePhotoAndTheSaverRunsOn) {
  ThreePhotos photos;
  RunningShow show({.folder = photos.folder.Path(), .switchSeconds = 100, .keys = 1});
  ASSERT_TRUE(Shows(kRed));
  driver::PostKeyDown(show.Window(), VK_RIGHT);
  EXPECT_TRUE(Shows(kGreen, 5000)) << "→ did not show the next photo";
  driver::PostKeyDown(show.Window(), VK_RIGHT);
  EXPECT_TRUE(Shows(kBlue, 5000));
  driver::PostKeyDown(show.Window(), VK_LEFT);
  EXPECT_TRUE(Shows(kGreen, 5000)) << "← did not go back";
  ::Sleep(500);
  EXPECT_TRUE(show.Process().Running());
}

TEST(ShowKeys, SpaceHoldsThePhotoPastTheInterval) {
  ThreePhotos photos;
  RunningShow show({.folder = photos.folder.Path(), .switchSeconds = 1, .keys = 1});
  ASSERT_TRUE(Shows(kGreen));
  driver::PostKeyDown(show.Window(), VK_SPACE);
  ::Sleep(300);
  const uint32_t held = Centre();
  ::Sleep(3000);
  EXPECT_EQ(Centre(), held) << "the photo changed while paused";
  driver::PostKeyDown(show.Window(), VK_SPACE);
  EXPECT_TRUE(driver::WaitUntil([&] { return Centre() != held; }, 5000)) << "Space did not resume";
  EXPECT_TRUE(show.Process().Running());
}

TEST(ShowKeys, HHidesThePhotoForGoodAndLeavesItsFileAlone) {
  ThreePhotos photos;
  const std::wstring red = photos.folder.File(L"a.bmp");
  WIN32_FILE_ATTRIBUTE_DATA before{}, after{};
  ASSERT_TRUE(::GetFileAttributesExW(red.c_str(), GetFileExInfoStandard, &before));
  {
    RunningShow show({.folder = photos.folder.Path(), .switchSeconds = 100, .keys = 1});
    ASSERT_TRUE(Shows(kRed));
    driver::PostKeyDown(show.Window(), 'H');
    EXPECT_TRUE(Shows(kGreen, 5000)) << "H did not show the next photo";
    EXPECT_EQ(HiddenPaths(), std::vector<std::wstring>{red});
    driver::PostKeyDown(show.Window(), 'A');
    ASSERT_TRUE(show.Process().WaitForExit(10000));
  }
  ASSERT_TRUE(::GetFileAttributesExW(red.c_str(), GetFileExInfoStandard, &after));
  EXPECT_EQ(after.dwFileAttributes, before.dwFileAttributes);
  EXPECT_EQ(after.nFileSizeLow, before.nFileSizeLow);
  EXPECT_EQ(::CompareFileTime(&after.ftLastWriteTime, &before.ftLastWriteTime), 0);

  // The next run, over the same key with what the first run hid, switching
  // every second: green, blue, green, and never red.
  driver::WriteDword(L"SCRtime", 1);
  driver::SaverProcess next(L"/s");
  const RECT s = ScreenRect();
  const std::vector<Shown> shown = WatchPixel({s.right / 2, s.bottom / 2}, 3, 15000);
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].rgb, kGreen);
  EXPECT_EQ(shown[1].rgb, kBlue);
  EXPECT_EQ(shown[2].rgb, kGreen);
}

// The visible Explorer window whose title is `title`, if any.
HWND ExplorerWindow(const std::wstring& title) {
  struct Search {
    const std::wstring& title;
    HWND found = nullptr;
  } search{title};
  ::EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        wchar_t name[64]{}, text[MAX_PATH]{};
        ::GetClassNameW(window, name, 64);
        ::GetWindowTextW(window, text, MAX_PATH);
        if (::IsWindowVisible(window) && std::wstring(name) == L"ExplorerWClass" && s.title == text)
          s.found = window;
        return s.found == nullptr;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST(ShowKeys, EEndsTheSaverWithZeroAndOpensExplorerOnThePhotosFolder) {
  ThreePhotos photos;
  RunningShow show({.folder = photos.folder.Path(), .switchSeconds = 100, .keys = 1});
  ASSERT_TRUE(Shows(kRed));
  driver::PostKeyDown(show.Window(), 'E');
  ASSERT_TRUE(show.Process().WaitForExit(10000));
  EXPECT_EQ(show.Process().ExitCode(), 0u);
  const std::wstring& path = photos.folder.Path();
  const std::wstring folderName = path.substr(path.rfind(L'\\') + 1);
  HWND explorer = nullptr;
  EXPECT_TRUE(driver::WaitUntil([&] { return (explorer = ExplorerWindow(folderName)) != nullptr; }, 10000))
      << "no Explorer window on the photo's folder";
  if (explorer) ::PostMessageW(explorer, WM_CLOSE, 0, 0);
}

TEST(ShowKeys, WithoutFgKeysAnArrowKeyEndsTheSaverWithZero) {
  ThreePhotos photos;
  RunningShow show({.folder = photos.folder.Path(), .switchSeconds = 100});
  ASSERT_TRUE(Shows(kRed));
  driver::PostKeyDown(show.Window(), VK_RIGHT);
  ASSERT_TRUE(show.Process().WaitForExit(10000));
  EXPECT_EQ(show.Process().ExitCode(), 0u);
}

}  // namespace
}  // namespace slideshow_test
