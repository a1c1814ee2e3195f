#pragma once
// A saver window in memory: settings handed in by the test, pictures decoded
// from a map, timers that follow the window-timer rules on a virtual clock,
// and a log of every call in order.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "settings/memory_directory.h"
#include "slideshow/saver_host.h"
#include "slideshow/saver_show.h"

namespace slideshow::testing {

// One tick of Timer1 with its frame composed and presented at once.
inline void Tick(SaverShow& show) {
  show.Timer1Timer();
  show.PresentFrame();
}

// Interval and on/off of one window timer; a real change restarts it.
struct FakeTimer {
  uint32_t interval = 0;
  bool enabled = false;
  int64_t started = 0;
  bool Due(int64_t now) const { return enabled && interval > 0 && now - started >= interval; }
};

class FakeSaverHost : public SaverHost {
 public:
  // Stands for the store: fills the settings (and, in registered mode, the
  // list) as the registry would.
  std::function<settings::ReadOutcome(settings::SaverSettings&, PictureList&)> pictureSettings =
      [](settings::SaverSettings&, PictureList&) { return settings::ReadOutcome::Continue; };
  settings::SaverSettings message = [] {
    settings::SaverSettings s;
    s.switchSeconds = 5;
    s.floating = true;
    s.soundEffect = settings::NoSound;
    return s;
  }();
  settings::ReadOutcome messageOutcome = settings::ReadOutcome::Continue;
  std::map<std::string, codecs::Image> files;
  settings::MemoryDirectory directory;
  Size screen{1024, 768};
  int64_t seconds = 1'700'000'000;
  int64_t nowMs = 0;
  std::map<SaverTimer, FakeTimer> timers;
  std::vector<std::string> log;
  std::vector<uint32_t> beeps;
  std::vector<std::string> messages;
  std::vector<std::vector<Rect>> presents;  // the dirty rectangles of every present
  int tickerSteps = 0;
  // The ticker's drawing; by default it draws nothing and touches nothing.
  std::function<Rect()> drawTicker = [] { return Rect{}; };
  std::vector<int64_t> switchTimes;  // nowMs of every tmGamen tick

  settings::ReadOutcome ReadSaverPictureSettings(settings::SaverSettings& s, PictureList& l) override {
    log.push_back("ReadSaverPictureSettings");
    return pictureSettings(s, l);
  }
  settings::ReadOutcome ReadSaverMessageSettings(settings::SaverSettings& s) override {
    log.push_back("ReadSaverMessageSettings");
    s.messageText = message.messageText;
    s.soundEffect = message.soundEffect;
    s.switchSeconds = message.switchSeconds;
    s.floating = message.floating;
    return messageOutcome;
  }
  settings::DirectorySearch& PictureFolderSearch() override { return directory; }
  void RequestEnd() override { log.push_back("RequestEnd"); }
  void LayoutMessage(const settings::SaverSettings&) override { log.push_back("LayoutMessage"); }
  void StepTicker() override {
    log.push_back("StepTicker");
    ++tickerSteps;
  }
  Rect DrawTicker() override {
    log.push_back("DrawTicker");
    return drawTicker();
  }
  void StretchBackBuffer() override { log.push_back("StretchBackBuffer"); }
  void PresentBackBuffer(const std::vector<Rect>& dirty) override {
    log.push_back("PresentBackBuffer");
    presents.push_back(dirty);
  }
  void HideApplicationWindow() override { log.push_back("HideApplicationWindow"); }
  void SetTimerInterval(SaverTimer t, uint32_t ms) override {
    log.push_back(Name(t) + ".interval=" + std::to_string(ms));
    FakeTimer& timer = timers[t];
    if (timer.interval == ms) return;
    timer.interval = ms;
    timer.started = nowMs;
  }
  void SetTimerEnabled(SaverTimer t, bool on) override {
    log.push_back(Name(t) + (on ? ".on" : ".off"));
    FakeTimer& timer = timers[t];
    if (timer.enabled == on) return;
    timer.enabled = on;
    timer.started = nowMs;
  }
  Size ScreenSize() override { return screen; }
  int64_t NowSeconds() override { return seconds; }
  void MessageBeep(uint32_t type) override { beeps.push_back(type); }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::optional<codecs::Image> Decode(const std::string& path) override {
    log.push_back("Decode " + path);
    const auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second;
  }

  // Runs the virtual clock forward 1 ms at a time, firing due timers into
  // the show as a window-timer loop would, presenting every frame.
  void Run(SaverShow& show, int64_t ms) {
    for (const int64_t end = nowMs + ms; nowMs < end;) {
      ++nowMs;
      seconds = 1'700'000'000 + nowMs / 1000;
      Fire(SaverTimer::Timer1, [&] { Tick(show); });
      Fire(SaverTimer::tmGamen, [&] { show.tmGamenTimer(); });
    }
  }
  static std::string Name(SaverTimer t) {
    return t == SaverTimer::Timer1 ? "Timer1" : t == SaverTimer::tmCom ? "tmCom" : "tmGamen";
  }

 private:
  template <class F>
  void Fire(SaverTimer t, F handler) {
    FakeTimer& timer = timers[t];
    if (!timer.Due(nowMs)) return;
    timer.started = nowMs;
    if (t == SaverTimer::tmGamen) switchTimes.push_back(nowMs);
    handler();
  }
};

// A screen-sized back buffer for a show under test.
struct TestBuffer {
  std::vector<uint32_t> pixels;
  PixelView view;
  explicit TestBuffer(Size s)
      : pixels(size_t(s.width) * size_t(s.height), 0x123456),
        view{pixels.data(), s.width, s.height, s.width} {}
};

// The built-in sample's shape: four 32 x 32 frames, frame k filled with k + 1.
inline codecs::Image SampleStrip() {
  codecs::Image img(128, 32);
  for (int32_t y = 0; y < 32; ++y)
    for (int32_t x = 0; x < 128; ++x) img.row(y)[x] = uint32_t(x / 32 + 1);
  return img;
}

}  // namespace slideshow::testing
