#include "tests/wine/slideshow/show_fixture.h"

#include <cstdio>
#include <stdexcept>

#include "tests/wine/driver/settings_registry.h"
#include "tests/wine/driver/wait.h"
#include "tests/wine/driver/window_search.h"
#include "tests/wine/slideshow/screen_pixels.h"

namespace slideshow_test {

void WriteShowSettings(const ShowSettings& settings) {
  driver::DeleteSettingsKey();
  driver::WriteRunnableSettings();
  driver::WriteString(L"dtDir", settings.folder);
  driver::WriteDword(L"MoveFlag", settings.floating ? 1 : 0);
  driver::WriteDword(L"SCRtime", settings.switchSeconds);
  driver::WriteString(L"SCRcom", settings.message);
  driver::WriteDword(L"FontSize", settings.fontSize);
  driver::WriteDword(L"SelPhoto", settings.registered.empty() ? 0 : 1);
  driver::WriteDword(L"eCount", DWORD(settings.registered.size()));
  if (settings.dateCaption != 0) driver::WriteDword(L"fgDate", settings.dateCaption);
  if (settings.subFolders != 0) driver::WriteDword(L"fgSubFolders", settings.subFolders);
  if (settings.shuffle != 0) driver::WriteDword(L"fgShuffle", settings.shuffle);
  if (settings.fade != 0) driver::WriteDword(L"fgFade", settings.fade);
  if (settings.panZoom != 0) driver::WriteDword(L"fgPanZoom", settings.panZoom);
  if (settings.pairs != 0) driver::WriteDword(L"fgPairs", settings.pairs);
  if (settings.backdrop != 0) driver::WriteDword(L"fgBackdrop", settings.backdrop);
  if (settings.keys != 0) driver::WriteDword(L"fgKeys", settings.keys);
  for (size_t i = 0; i < settings.registered.size(); ++i) {
    wchar_t name[16];
    std::swprintf(name, 16, L"File_%03u", unsigned(i));
    driver::WriteString(name, settings.registered[i]);
  }
}

std::vector<std::wstring> SearchOrder(const std::wstring& pattern) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry{};
  const HANDLE search = ::FindFirstFileW(pattern.c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    names.emplace_back(entry.cFileName);
  } while (::FindNextFileW(search, &entry));
  ::FindClose(search);
  return names;
}

namespace {
driver::SaverProcess StartAfterWriting(const ShowSettings& settings) {
  WriteShowSettings(settings);
  return driver::SaverProcess(L"/s");
}
}  // namespace

RunningShow::RunningShow(const ShowSettings& settings) : process_(StartAfterWriting(settings)) {
  window_ = driver::WaitForVisibleWindow(process_.Id(), driver::kSaverClass, kStartTimeoutMs);
  if (!window_) throw std::runtime_error("the saver window did not appear");
}

std::vector<Shown> WatchPixel(POINT at, size_t count, DWORD timeoutMs,
                              const std::function<void(uint32_t)>& onChange) {
  std::vector<Shown> shown;
  driver::WaitUntil(
      [&] {
        const uint32_t rgb = ScreenPixel(at.x, at.y);
        if (rgb != kBlack && (shown.empty() || shown.back().rgb != rgb)) {
          shown.push_back({rgb, ::GetTickCount64()});
          if (onChange) onChange(rgb);
        }
        return shown.size() >= count;
      },
      timeoutMs);
  return shown;
}

std::function<bool(uint32_t)> Is(uint32_t rgb) {
  return [rgb](uint32_t pixel) { return pixel == rgb; };
}

std::function<bool(uint32_t)> NotBlack() {
  return [](uint32_t pixel) { return pixel != kBlack; };
}

}  // namespace slideshow_test
