#pragma once
// TForm1, the saver window of the primary screen in saver mode and the one
// window of preview mode: full screen and top most in saver mode, a child of
// the preview window in preview mode. In saver mode every other monitor has a
// window of this class too, covering that monitor with its own engine. Any
// key, mouse button, a mouse move of more than 10 pixels on an axis, or the
// activation of another program's window ends the run from any of them (saver
// mode only); closing is always a posted request, never a destroy inside the
// handler that noticed the input. With the keys on (fgKeys), the keys that
// steer the show go to whoever lays out the monitors' shows instead.
//
// The window is a form, a canvas and an engine: it owns the screen-sized
// backBuffer and lends it, the registry, the decoders and GDI text to its
// engine through SaverHost; the engine owns the show, its timers and the
// ticker, and is driven by the application's loop between messages (the
// window is its clockwork unless SaverMonitors drives every monitor).
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/message_font_win.h"
#include "platform/application_win.h"
#include "platform/dib_canvas_win.h"
#include "platform/form_win.h"
#include "settings/registry_win.h"
#include "slideshow/composition.h"
#include "slideshow/key_command.h"
#include "slideshow/message_ticker.h"
#include "slideshow/picture_supply.h"
#include "slideshow/saver_engine.h"
#include "slideshow/saver_host.h"

namespace app {

// A monitor other than the primary: its place on the virtual screen, in
// physical pixels, how many pictures further along its show stays, and the
// primary window's picture supply, which outlives it.
struct OtherMonitor {
  RECT area{};
  int32_t pictureOffset = 0;
  slideshow::PictureSupply* supply = nullptr;
};

// What a saver window is, fixed when it is made: the primary screen's in
// saver mode (the documented show: the cursor, the switch timer, the list),
// the preview's (a child of the preview window that nothing the user does
// ends, silent), or another monitor's (silent, following the primary's
// supply).
enum class SaverWindowRole { Primary, Preview, OtherMonitor };

class TForm1 : public platform::Form,
               public slideshow::SaverHost,
               public platform::LoopClockwork {
 public:
  static constexpr wchar_t kClassName[] = L"TForm1";

  // The primary screen's window, or the preview's while previewWnd is set.
  TForm1();
  // Another monitor's window.
  explicit TForm1(const OtherMonitor& monitor);
  ~TForm1() override;

  // backBuffer's pixels for the show's composition.
  slideshow::PixelView BackBufferView();
  slideshow::SaverEngine& Engine() { return *engine; }
  // The pictures of every monitor's show: the primary window's.
  slideshow::PictureSupply& Supply() { return supply ? *supply : *otherMonitor.supply; }
  SaverWindowRole Role() const { return role; }
  // Lays the window out anew on its screen (the primary's, after its size
  // changed): a new back buffer and engine, the show going on from the
  // supply's position.
  void FitToScreen();
  // Called when the system announces a change of the displays.
  void OnDisplayChange(std::function<void()> handler) { onDisplayChange = std::move(handler); }
  // Called with every key that steers the show.
  void OnSteer(std::function<void(slideshow::KeyCommand)> handler) { onSteer = std::move(handler); }
  // Ends the run to show the primary's photo in Explorer once the saver's
  // windows are gone (PhotoToExplore).
  void EndRunToExplore();
  // Empty unless the run ended so.
  const std::string& PhotoToExplore() const { return photoToExplore; }

  // SaverHost.
  Extent MeasureText(const slideshow::MessageFont& font, std::string_view text) override;
  settings::ReadOutcome ReadSaverPictureSettings(settings::SaverSettings& settings,
                                                 settings::PictureList& list) override;
  settings::ReadOutcome ReadSaverMessageSettings(settings::SaverSettings& settings) override;
  void RequestEnd() override;
  int32_t WindowWidth() override { return ClientSize().cx; }
  slideshow::Rect TextBounds(const slideshow::MessageFont& font, int32_t x, int32_t y,
                             const std::string& text) override;
  void DrawText(const slideshow::MessageFont& font, int32_t x, int32_t y,
                const std::string& text) override;
  slideshow::TextMask RenderCaptionText(const std::string& face, int32_t pixelHeight,
                                        const std::string& text) override;
  void StretchBackBuffer() override;
  void PresentUpdate(const slideshow::WindowUpdate& update) override;
  void HideApplicationWindow() override;
  slideshow::Size ScreenSize() override;
  int64_t NowSeconds() override;
  void MessageBeep(uint32_t type) override;
  void ShowMessage(const std::string& text) override;

  // LoopClockwork: the engine's wake.
  void Step() override;
  std::optional<int64_t> NextWake() const override { return engine->NextWake(); }

 protected:
  void CreateParams(platform::CreateParamsData& params) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnShow() override { FormShow(); }
  void OnPaint() override { FormPaint(); }
  void OnMouseDown(UINT button, int x, int y) override { FormMouseDown(button, x, y); }
  void OnMouseMove(int x, int y) override { FormMouseMove(x, y); }
  // Closing any saver window ends the run: all of them close together.
  void OnClose() override { platform::Application::Instance().Terminate(); }

 private:
  void FormCreate();
  void LayOut();
  void FormShow();
  void FormPaint();
  void FormKeyDown(const slideshow::KeyDown& key);
  void FormMouseDown(UINT button, int x, int y);
  void FormMouseMove(int x, int y);
  void FormDestroy();
  void EndRun();
  LRESULT HandleActivate(WPARAM wParam, LPARAM lParam);
  LRESULT HandleEraseBkgnd();
  LRESULT HandleSysCommand(WPARAM wParam, LPARAM lParam);
  bool InPreview() const { return role == SaverWindowRole::Preview; }
  bool OnPrimary() const { return role != SaverWindowRole::OtherMonitor; }
  SIZE ClientSize() const;
  void SelectDrawingFont(const slideshow::MessageFont& font);
  static void PutPicturePart(HDC dc, const codecs::Image& picture, const slideshow::CopyPlan& part);
  int32_t DisplayRefreshHz() const;

  const SaverWindowRole role;
  const OtherMonitor otherMonitor;  // its place, for another monitor's window
  // Another monitor's strip frames and ticker line are its own; the primary
  // screen uses the process-wide ones.
  slideshow::FrameCounters ownCounters;
  int32_t ownTickerLine = 0;

  settings::Win32Registry registry;
  // The primary window's (and the preview's) reads, for every show.
  std::optional<slideshow::PictureSupply> supply;
  POINT startCursorPos{};
  HCURSOR savedCursor = nullptr;
  platform::DibCanvas backBuffer;
  // The font selected into backBuffer, and the extent of the text last
  // drawn, measured once per text.
  std::optional<slideshow::MessageFont> drawingFont;
  // Measures for the ticker's layout on the window's own DC, kept with its
  // font between measurements.
  std::optional<WindowTextMeasurer> windowMeasurer;
  std::string measuredText;
  SIZE measuredExtent{};
  std::optional<slideshow::SaverEngine> engine;
  std::function<void()> onDisplayChange;
  std::function<void(slideshow::KeyCommand)> onSteer;
  std::string photoToExplore;
};

}  // namespace app
