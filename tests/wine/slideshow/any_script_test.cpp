// Names and messages in any script, and paths of any length, through the real
// saver: a picture is shown whatever its name or folder is called and however
// deep it lies, and a message in Hangul draws real glyphs.
#include <gtest/gtest.h>

#include "tests/wine/driver/wait.h"
#include "tests/wine/slideshow/screen_pixels.h"
#include "tests/wine/slideshow/show_fixture.h"
#include "tests/wine/slideshow/test_pictures.h"

namespace slideshow_test {
namespace {

constexpr uint32_t kRed = 0xFF0000;

POINT ScreenCentre() {
  const RECT s = ScreenRect();
  return {s.right / 2, s.bottom / 2};
}

// The folder and, when registered, the one entry that names the picture.
struct PictureCase {
  const char* what;
  std::wstring folder;    // under the temporary folder; made level by level
  std::wstring fileName;
  bool registered = false;
};

TEST(AnyName, ThePictureIsShownNotTheSample) {
  const std::wstring deep = std::wstring(70, L'd') + L"\\" + std::wstring(70, L'e') + L"\\" +
                            std::wstring(70, L'f') + L"\\" + std::wstring(70, L'g');
  const PictureCase cases[] = {
      {"a Hangul name", L"", L"사진.bmp"},
      {"an emoji name", L"", L"😀.bmp"},
      {"a Hangul folder", L"사진폴더", L"a.bmp"},
      {"a registered Hangul path", L"풍경", L"풍경.bmp", true},
      {"Chinese outside JIS and accents", L"Ünïcödé", L"𠮷.bmp"},
      {"a folder over 300 characters deep", deep, L"a.bmp"},
  };
  for (const PictureCase& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder base;
    std::wstring folder = base.Path();
    for (size_t start = 0; start < c.folder.size();) {
      const size_t end = std::min(c.folder.find(L'\\', start), c.folder.size());
      folder = base.MakeFolder(c.folder.substr(0, end));
      start = end + 1;
    }
    const std::wstring picture = folder + L"\\" + c.fileName;
    WriteSolidBmp(picture, 160, 120, kRed);
    ShowSettings settings{.folder = folder, .switchSeconds = 100};
    if (c.registered) settings = {.folder = base.Path(), .switchSeconds = 100, .registered = {picture}};
    RunningShow show(settings);
    EXPECT_TRUE(driver::WaitUntil([] { return ScreenPixel(ScreenCentre().x, ScreenCentre().y) == kRed; },
                                  kStartTimeoutMs))
        << "the picture at " << picture.size() << " characters is not shown";
  }
}

}  // namespace
}  // namespace slideshow_test
