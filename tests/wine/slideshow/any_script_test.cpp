// Names and messages in any script, and paths of any length, through the real
// saver: a picture is shown whatever its name or folder is called and however
// deep it lies, and a message in Hangul draws real glyphs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "tests/wine/driver/wait.h"
#include "tests/wine/slideshow/screen_pixels.h"
#include "tests/wine/slideshow/show_fixture.h"
#include "tests/wine/slideshow/test_pictures.h"

namespace slideshow_test {
namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

POINT ScreenCentre() {
  const RECT s = ScreenRect();
  return {s.right / 2, s.bottom / 2};
}

// The folder and, when registered, the one entry that names the picture; its
// colour is the case's own, unlike the sample's, so no case can pass on what
// an earlier one or the sample left on the screen.
struct PictureCase {
  const char* what;
  std::wstring folder;    // under the temporary folder; made level by level
  std::wstring fileName;
  uint32_t rgb;
  bool registered = false;
};

TEST(AnyName, ThePictureIsShownNotTheSample) {
  const std::wstring deep = std::wstring(70, L'd') + L"\\" + std::wstring(70, L'e') + L"\\" +
                            std::wstring(70, L'f') + L"\\" + std::wstring(70, L'g');
  const PictureCase cases[] = {
      {"a Hangul name", L"", L"사진.bmp", 0xD02040},
      {"an emoji name", L"", L"😀.bmp", 0x40D020},
      {"a Hangul folder", L"사진폴더", L"a.bmp", 0x2040D0},
      {"a registered Hangul path", L"풍경", L"풍경.bmp", 0xD0D020, true},
      {"Chinese outside JIS and accents", L"Ünïcödé", L"𠮷.bmp", 0x20D0D0},
      {"a folder over 300 characters deep", deep, L"a.bmp", 0xD020D0},
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
    WriteSolidBmp(picture, 160, 120, c.rgb);
    ShowSettings settings{.folder = folder, .switchSeconds = 100};
    if (c.registered) settings = {.folder = base.Path(), .switchSeconds = 100, .registered = {picture}};
    RunningShow show(settings);
    EXPECT_TRUE(driver::WaitUntil([&] { return ScreenPixel(ScreenCentre().x, ScreenCentre().y) == c.rgb; },
                                  kStartTimeoutMs))
        << "the picture at " << picture.size() << " characters is not shown";
  }
}

// A registered entry of 32 000 characters and a message of a megabyte: the
// saver goes on to the next picture, keeps answering and runs the ticker.
TEST(AnyName, HugeEntriesAndMessagesNeitherHangNorCrash) {
  TempFolder folder;
  WriteSolidBmp(folder.File(L"a.bmp"), 160, 120, kRed);
  RunningShow show({.folder = folder.Path(),
                    .switchSeconds = 1,
                    .message = std::wstring(size_t(1) << 19, L'가'),
                    .registered = {L"C:\\" + std::wstring(32000, L'p') + L".bmp", folder.File(L"a.bmp")}});
  EXPECT_TRUE(driver::WaitUntil([] { return ScreenPixel(ScreenCentre().x, ScreenCentre().y) == kRed; },
                                kStartTimeoutMs));
  EXPECT_TRUE(driver::WaitUntil([] { return ScreenShot().Count(Is(kGreen)) > 100; }, kStartTimeoutMs))
      << "no ticker";
  DWORD_PTR answer = 0;
  EXPECT_TRUE(::SendMessageTimeoutW(show.Window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer));
  EXPECT_TRUE(show.Process().Running());
}

// How many pixels of exactly the text colour GDI gives a text drawn in one
// face over the ticker's background: what the ticker must show once the whole
// text is on the screen, if its glyphs are that face's.
int64_t TextColourPixels(const std::wstring& text, const wchar_t* face, int32_t points) {
  const HDC screen = ::GetDC(nullptr);
  LOGFONTW log{};
  log.lfHeight = -::MulDiv(points, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
  log.lfCharSet = DEFAULT_CHARSET;
  std::wstring_view(face).copy(log.lfFaceName, LF_FACESIZE - 1);
  const HFONT font = ::CreateFontIndirectW(&log);
  const HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = 2000;
  info.bmiHeader.biHeight = -200;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ oldBitmap = ::SelectObject(memory, bitmap);
  const HGDIOBJ oldFont = ::SelectObject(memory, font);
  auto* pixels = static_cast<uint32_t*>(bits);
  std::fill(pixels, pixels + 2000 * 200, kBlue);
  ::SetBkMode(memory, TRANSPARENT);
  ::SetTextColor(memory, RGB(0, 255, 0));
  ::TextOutW(memory, 0, 0, text.c_str(), int(text.size()));
  ::GdiFlush();
  const int64_t count = std::count_if(pixels, pixels + 2000 * 200, [](uint32_t p) { return (p & 0xFFFFFF) == kGreen; });
  ::SelectObject(memory, oldFont);
  ::SelectObject(memory, oldBitmap);
  ::DeleteObject(bitmap);
  ::DeleteObject(font);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return count;
}

// The ticker's face has no Hangul, Chinese outside JIS or symbols outside JIS;
// the faces linked to it have, and draw them: once the whole message stands on
// the screen it shows as many pixels of the text colour as GDI gives the
// linked face for it (boxes or nothing would not). Emoji beyond the basic
// plane are left out: Wine's GDI draws no surrogate pair from any face.
TEST(AnyScriptTicker, TextTheFaceLacksDrawsTheGlyphsOfTheLinkedFace) {
  const struct {
    std::wstring message;
    const wchar_t* linkedFace;
  } cases[] = {
      {L"안녕하세요", L"WenQuanYi Micro Hei"},
      {L"们这说话吗", L"WenQuanYi Micro Hei"},
      {L"☺✈☺✈", L"Symbola"},
  };
  TempFolder folder;
  const RECT screen = ScreenRect();
  WriteSolidBmp(folder.File(L"large.bmp"), screen.right, screen.bottom, kBlue);
  for (const auto& c : cases) {
    const int64_t expected = TextColourPixels(c.message, c.linkedFace, 48);
    ASSERT_GT(expected, 1000) << "the linked face is not installed";
    RunningShow show({.folder = folder.Path(), .switchSeconds = 100, .message = c.message, .fontSize = 48});
    // A pass brings the message in from the right and takes it off at the left.
    int64_t most = 0;
    driver::WaitUntil(
        [&] {
          most = std::max(most, ScreenShot().Count(Is(kGreen)));
          return std::abs(most - expected) * 50 <= expected;
        },
        20000);
    EXPECT_NEAR(double(most), double(expected), double(expected) / 50) << c.linkedFace;
  }
}

}  // namespace
}  // namespace slideshow_test
