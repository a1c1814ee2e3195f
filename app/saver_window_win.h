#pragma once
// TForm1, the one window of the saver and preview modes: full screen and top
// most in saver mode, a child of the preview window in preview mode. Any key,
// mouse button, a mouse move of more than 10 pixels on an axis, or the
// activation of another window closes it (saver mode only); closing is always
// a posted request, never a destroy inside the handler that noticed the input.
//
// The window hosts the slideshow: it owns the screen-sized backBuffer, the
// three timers and the message ticker, and lends them to the show through
// SaverHost; the show owns the settings, the picture list, the picture and
// the motion and animation state. The timers are logical ones on the
// performance counter, run by the application's loop between messages (the
// window is its clockwork), and frames reach the window at most once per
// display refresh.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "slideshow/message_ticker.h"
#include "platform/application_win.h"
#include "platform/dib_canvas_win.h"
#include "platform/form_win.h"
#include "settings/directory_search_win.h"
#include "settings/registry_win.h"
#include "slideshow/composition.h"
#include "slideshow/present_pacer.h"
#include "slideshow/saver_host.h"
#include "slideshow/saver_show.h"
#include "slideshow/tick_driver.h"
#include "slideshow/tick_scheduler.h"

namespace app {

class TForm1 : public platform::Form,
               public slideshow::SaverHost,
               public platform::LoopClockwork {
 public:
  static constexpr wchar_t kClassName[] = L"TForm1";

  TForm1();
  ~TForm1() override;

  // Stretches the whole backBuffer onto the whole window.
  void PresentFrame();
  // backBuffer's pixels for the show's composition.
  slideshow::PixelView BackBufferView();

  // SaverHost.
  std::optional<codecs::Image> Decode(const std::string& path) override;
  settings::ReadOutcome ReadSaverPictureSettings(settings::SaverSettings& settings,
                                                 slideshow::PictureList& list) override;
  settings::ReadOutcome ReadSaverMessageSettings(settings::SaverSettings& settings) override;
  settings::DirectorySearch& PictureFolderSearch() override { return folderSearch; }
  void RequestEnd() override;
  void LayoutMessage(const settings::SaverSettings& settings) override;
  void StepTicker() override;
  slideshow::Rect DrawTicker() override;
  void StretchBackBuffer() override { PresentFrame(); }
  void PresentBackBuffer(const std::vector<slideshow::Rect>& dirty) override;
  void HideApplicationWindow() override;
  void SetTimerInterval(slideshow::SaverTimer timer, uint32_t milliseconds) override;
  void SetTimerEnabled(slideshow::SaverTimer timer, bool enabled) override;
  slideshow::Size ScreenSize() override;
  int64_t NowSeconds() override;
  void MessageBeep(uint32_t type) override;
  void ShowMessage(const std::string& text) override;

  // LoopClockwork: the due ticks, then the frame if the display takes one.
  void Step() override;
  std::optional<int64_t> NextWake() const override;

 protected:
  void CreateParams(platform::CreateParamsData& params) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnShow() override { FormShow(); }
  void OnPaint() override { FormPaint(); }
  void OnKeyDown(UINT key) override { FormKeyDown(key); }
  void OnMouseDown(UINT button, int x, int y) override { FormMouseDown(button, x, y); }
  void OnMouseMove(int x, int y) override { FormMouseMove(x, y); }

 private:
  void FormCreate();
  void FormShow();
  void FormPaint();
  void FormKeyDown(UINT key);
  void FormMouseDown(UINT button, int x, int y);
  void FormMouseMove(int x, int y);
  void FormDestroy();
  LRESULT HandleActivate(WPARAM wParam);
  LRESULT HandleEraseBkgnd();
  LRESULT HandleSysCommand(WPARAM wParam, LPARAM lParam);
  bool InPreview() const;
  SIZE ClientSize() const;
  int32_t DisplayRefreshHz() const;

  // Timer1, tmCom and tmGamen.
  slideshow::TickScheduler scheduler{
      [] { return platform::Application::Instance().Clock().NowNanoseconds(); }};
  slideshow::PresentPacer pacer;
  // tmGamen paused by a message box inside a tick, to be started again once
  // that tick is over, so that its countdown runs from when the box closed.
  bool resumeSwitching = false;

  settings::Win32Registry registry;
  settings::Win32DirectorySearch folderSearch;
  POINT startCursorPos{};
  HCURSOR savedCursor = nullptr;
  platform::DibCanvas backBuffer;
  slideshow::MessageTicker ticker;
  // The extent of the ticker text last drawn, measured once per text.
  std::string measuredTicker;
  SIZE measuredExtent{};
  std::optional<slideshow::SaverShow> show;
  std::optional<slideshow::TickDriver> driver;
};

}  // namespace app
