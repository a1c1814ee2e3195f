#pragma once
// The saver started full screen over settings a test chooses, and the
// observations the slideshow tests make of it.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/wine/driver/saver_process.h"

namespace slideshow_test {

inline constexpr DWORD kStartTimeoutMs = 15000;

struct ShowSettings {
  std::wstring folder{};
  bool floating = false;
  DWORD switchSeconds = 1;
  std::wstring message{};  // empty: the ticker shows nothing
  DWORD fontSize = 14;
  std::vector<std::wstring> registered{};  // non-empty: registered mode
  DWORD dateCaption = 0;  // fgDate
  DWORD subFolders = 0;   // fgSubFolders
  DWORD shuffle = 0;      // fgShuffle
  DWORD fade = 0;         // fgFade
  DWORD panZoom = 0;      // fgPanZoom
  DWORD pairs = 0;        // fgPairs
  DWORD backdrop = 0;     // fgBackdrop
  DWORD keys = 0;         // fgKeys
};

// Writes a complete settings key for the show.
void WriteShowSettings(const ShowSettings& settings);

// The files a folder search yields for a pattern, in the order it yields them
// (the order the saver's folder mode lists them in).
std::vector<std::wstring> SearchOrder(const std::wstring& pattern);

// "/s" over the given settings, with its window up.
class RunningShow {
 public:
  explicit RunningShow(const ShowSettings& settings);
  HWND Window() const { return window_; }
  driver::SaverProcess& Process() { return process_; }

 private:
  driver::SaverProcess process_;
  HWND window_ = nullptr;
};

// One colour a screen pixel showed, from when it was first seen.
struct Shown {
  uint32_t rgb = 0;
  ULONGLONG sinceMs = 0;
};

// Watches one pixel until it has shown `count` colours other than black one
// after another (a colour counts again after a different one), or until the
// timeout; `onChange` runs at each new colour while it is on the screen.
std::vector<Shown> WatchPixel(POINT at, size_t count, DWORD timeoutMs,
                              const std::function<void(uint32_t)>& onChange = {});

std::function<bool(uint32_t)> Is(uint32_t rgb);
std::function<bool(uint32_t)> NotBlack();

}  // namespace slideshow_test
