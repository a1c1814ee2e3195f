#pragma once
// A saver window in memory: settings handed in by the test, pictures decoded
// from a map, text of fixed-size glyphs, the show's timers on a virtual
// clock, and a log of the calls that matter to the tests.
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "settings/memory_directory.h"
#include "slideshow/saver_host.h"
#include "slideshow/picture_scan.h"
#include "slideshow/picture_supply.h"
#include "slideshow/saver_engine.h"
#include "slideshow/saver_show.h"
#include "slideshow/tick_scheduler.h"

namespace slideshow::testing {

// One tick of Timer1 with its frame composed and presented at once.
inline void Tick(SaverShow& show) {
  show.Timer1Timer();
  show.PresentFrame();
}

class FakeSaverHost : public SaverHost {
 public:
  // Stands for the store: fills the settings (and, in registered mode, the
  // list) as the registry would.
  std::function<settings::ReadOutcome(settings::SaverSettings&, settings::PictureList&)> pictureSettings =
      [](settings::SaverSettings&, settings::PictureList&) { return settings::ReadOutcome::Continue; };
  settings::MessageSettings message = [] {
    settings::MessageSettings m;
    m.switchSeconds = 5;
    m.floating = true;
    m.soundEffect = settings::NoSound;
    return m;
  }();
  settings::ReadOutcome messageOutcome = settings::ReadOutcome::Continue;
  std::map<std::string, codecs::Image> files;
  settings::MemoryDirectory directory;
  Size screen{1024, 768};
  int64_t seconds = 1'700'000'000;
  int64_t nowMs = 0;
  // The show's timers, on the virtual clock (in nanoseconds), and its
  // ticker's line count.
  std::function<int64_t()> clock = [this] { return nowMs * 1'000'000; };
  TickScheduler timers{[this] { return clock(); }};
  int32_t tickerLine = 0;
  std::vector<std::string> log;
  std::vector<uint32_t> beeps;
  std::vector<std::string> messages;
  std::vector<WindowUpdate> presents;
  // Text is measured as 6 x 10 pixels a byte, and its bounds are that box;
  // drawing it draws nothing unless a test says otherwise.
  std::function<void(int32_t x, int32_t y, const std::string& text)> drawText =
      [](int32_t, int32_t, const std::string&) {};
  std::vector<int64_t> switchTimes;  // nowMs of every tmGamen tick
  std::vector<int64_t> frameTimes;   // nowMs of every Timer1 tick
  // How long a decode and a message box block the window's thread.
  int64_t decodeMs = 0, messageBoxMs = 0;

  settings::ReadOutcome ReadSaverPictureSettings(settings::SaverSettings& s, settings::PictureList& l) override {
    log.push_back("ReadSaverPictureSettings");
    return pictureSettings(s, l);
  }
  settings::ReadOutcome ReadSaverMessageSettings(settings::SaverSettings& s) override {
    log.push_back("ReadSaverMessageSettings");
    s.message = message;
    return messageOutcome;
  }
  void RequestEnd() override { log.push_back("RequestEnd"); }
  Extent MeasureText(const MessageFont&, std::string_view text) override {
    return {int32_t(text.size()) * 6, 10};
  }
  int32_t WindowWidth() override { return screen.width; }
  Rect TextBounds(const MessageFont&, int32_t x, int32_t y, const std::string& text) override {
    return Intersection({x, y, x + 6 * int32_t(text.size()), y + 10}, {0, 0, screen.width, screen.height});
  }
  void DrawText(const MessageFont&, int32_t x, int32_t y, const std::string& text) override {
    log.push_back("DrawText");
    drawText(x, y, text);
  }
  // Each character a 6 x 10 cell, its glyph a box covering all but the
  // cell's last column and row.
  TextMask RenderCaptionText(const std::string&, int32_t, const std::string& text) override {
    TextMask mask{6 * int32_t(text.size()), 10, {}};
    mask.coverage.resize(size_t(mask.width) * 10);
    for (int32_t y = 0; y < 9; ++y)
      for (int32_t x = 0; x < mask.width; ++x) mask.coverage[size_t(y * mask.width + x)] = x % 6 == 5 ? 0 : 255;
    return mask;
  }
  void StretchBackBuffer() override { log.push_back("StretchBackBuffer"); }
  void PresentUpdate(const WindowUpdate& update) override {
    log.push_back("PresentUpdate");
    presents.push_back(update);
  }
  void HideApplicationWindow() override { log.push_back("HideApplicationWindow"); }
  Size ScreenSize() override { return screen; }
  int64_t NowSeconds() override { return seconds; }
  void MessageBeep(uint32_t type) override { beeps.push_back(type); }
  void ShowMessage(const std::string& text) override {
    messages.push_back(text);
    nowMs += messageBoxMs;
  }
  std::optional<codecs::Image> Decode(const std::string& path) {
    log.push_back("Decode " + path);
    nowMs += decodeMs;
    const auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second;
  }
  // The files and the folder above, read on the window's thread as the
  // supply asks for them.
  PictureReaders Readers() {
    return {[this](const std::string& path, const codecs::ShownSize&) { return Decode(path); },
            [this](const std::string& folder, settings::PictureList& list) {
              ScanPictureFolder(folder, directory, list);
            },
            {},
            [this](const std::string& path) {
              const auto it = files.find(path);
              if (it == files.end()) return codecs::PictureHeader{};
              return codecs::PictureHeader{true, {it->second.width, it->second.height}};
            }};
  }
  PictureSupply supply{Readers(), {{}, {}, false}};

  // Runs the virtual clock forward 1 ms at a time, running the due ticks
  // into the show as a window-timer loop would, presenting every frame.
  void Run(SaverShow& show, int64_t ms) {
    for (const int64_t end = nowMs + ms; nowMs < end;) {
      ++nowMs;
      seconds = 1'700'000'000 + nowMs / 1000;
      timers.RunDue(nowMs * 1'000'000, [&](SaverTimer t) {
        if (t == SaverTimer::tmGamen) switchTimes.push_back(nowMs);
        if (t == SaverTimer::Timer1) frameTimes.push_back(nowMs);
        show.OnTimer(t);
        if (t == SaverTimer::Timer1) show.PresentFrame();
      });
    }
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

// Puts what a present sends onto a window image of the buffer's size.
inline void ApplyUpdate(const WindowUpdate& u, const PixelView& buffer, std::vector<uint32_t>& window) {
  const auto put = [&](Rect r, auto pixel) {
    for (int32_t y = r.top; y < r.bottom; ++y)
      for (int32_t x = r.left; x < r.right; ++x) window[size_t(y) * size_t(buffer.width) + size_t(x)] = pixel(x, y);
  };
  for (const Rect& r : u.black) put(r, [](int32_t, int32_t) { return 0u; });
  for (const CopyPlan& p : u.fromPicture)
    put(p.dest, [&](int32_t x, int32_t y) { return u.picture->row(p.sourceTop + y - p.dest.top)[p.sourceLeft + x - p.dest.left]; });
  for (const Rect& r : u.fromBuffer) put(r, [&](int32_t x, int32_t y) { return buffer.row(y)[x]; });
}

// A picture of one colour.
inline codecs::Image Filled(int32_t w, int32_t h, uint32_t colour) {
  codecs::Image img(w, h);
  std::fill(img.pixels.begin(), img.pixels.end(), colour);
  return img;
}

// The built-in sample's shape: four 32 x 32 frames, frame k filled with k + 1.
inline codecs::Image SampleStrip() {
  codecs::Image img(128, 32);
  for (int32_t y = 0; y < 32; ++y)
    for (int32_t x = 0; x < 128; ++x) img.row(y)[x] = uint32_t(x / 32 + 1);
  return img;
}

// One shown screen: a fake window of its own size and an engine on the
// test's clock, presenting at most every 20 ms, showing from the window's
// own supply unless the setup names another.
struct EngineScreen {
  explicit EngineScreen(Size size, SaverShowSetup extra = {}) : buffer(size) {
    host.screen = size;
    host.clock = [this] { return now; };
    extra.backBuffer = buffer.view;
    extra.samplePicture = SampleStrip();
    if (!extra.supply) extra.supply = &host.supply;
    engine = std::make_unique<SaverEngine>(host, counters, tickerLine,
                                           SaverEngineSetup{extra, [this] { return now; }, 20'000'000});
  }
  void StepAt(int64_t t) {
    now = t;
    engine->Step(t);
  }
  // The first pixel of the picture where it stands now, and the one left of it.
  bool PictureShownAtItsPlace() const {
    const MotionState& m = engine->Show().Motion();
    const size_t at = size_t(m.posY) * size_t(buffer.view.width) + size_t(m.posX);
    return buffer.pixels[at] != 0 && (m.posX == 0 || buffer.pixels[at - 1] == 0);
  }
  int64_t now = 0;
  FakeSaverHost host;
  TestBuffer buffer;
  FrameCounters counters;
  int32_t tickerLine = 0;
  std::unique_ptr<SaverEngine> engine;
};

}  // namespace slideshow::testing
