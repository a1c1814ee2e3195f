#include "app/saver_window_win.h"

#include <imm.h>

#include <algorithm>
#include <ctime>

#include "app/message_font_win.h"
#include "app/picture_file_win.h"
#include "app/preview_window_win.h"
#include "codecs/sample_picture_win.h"
#include "platform/application_win.h"
#include "platform/cursor_win.h"
#include "platform/handles_win.h"
#include "platform/message_box_win.h"
#include "platform/utf16.h"
#include "settings/saver_store.h"

namespace app {

namespace {
constexpr int kMoveTolerance = 10;
constexpr WPARAM kScScreenSave = 0xF140;

// Counters that belong to the process, not to a window: a strip's frame and
// the ticker's line go on where they were, whatever window shows them.
slideshow::FrameCounters& ProcessFrameCounters() {
  static slideshow::FrameCounters counters;
  return counters;
}

int32_t& ProcessTickerLine() {
  static int32_t tickerLine = 0;
  return tickerLine;
}
}  // namespace

TForm1::TForm1() : ticker(ProcessTickerLine()) {
  CreateHandle();
  FormCreate();
}

TForm1::~TForm1() { FormDestroy(); }

bool TForm1::InPreview() const { return previewWnd != nullptr; }

void TForm1::CreateParams(platform::CreateParamsData& params) {
  Form::CreateParams(params);
  params.className = kClassName;
  params.caption = platform::Application::Instance().Title();
  params.exStyle |= WS_EX_TOPMOST;
  // A DC of its own: the frames go onto the window many times a second, and
  // handing a shared DC back resets it each time, which is not free (under
  // Wine it re-reads the X resources for the default font).
  params.classStyle = CS_OWNDC;
  if (InPreview()) {
    params.parent = previewWnd;
    params.style = (params.style & ~WS_POPUP) | WS_CHILD;
    params.exStyle &= ~WS_EX_TOPMOST;
  }
}

// The show is made once the back buffer has its screen size: its view of the
// pixels is taken here and stays valid for the window's life.
void TForm1::FormCreate() {
  HideApplicationWindow();
  SetBounds(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  savedCursor = platform::ApplicationCursor();
  if (!InPreview()) platform::SetApplicationCursor(nullptr);
  ::GetCursorPos(&startCursorPos);
  const SIZE client = ClientSize();
  backBuffer.Resize(client.cx, client.cy);
  show.emplace(*this, ProcessFrameCounters(),
               slideshow::SaverShowSetup{BackBufferView(), codecs::LoadSamplePicture(), InPreview(),
                                         &DecodePictureFile});
  show->FormCreate();
  pacer = slideshow::PresentPacer(slideshow::PresentPacer::RefreshPeriodNs(DisplayRefreshHz()));
  driver.emplace(*show, scheduler, pacer);
  platform::Application::Instance().SetClockwork(this);
  ::ImmAssociateContext(Handle(), nullptr);
}

int32_t TForm1::DisplayRefreshHz() const {
  const platform::WindowDc dc(Handle());
  return int32_t(::GetDeviceCaps(dc.get(), VREFRESH));
}

void TForm1::FormShow() { HideApplicationWindow(); }

void TForm1::FormPaint() {
  const platform::PaintDc paint(Handle());
  show->FormPaint();
}

void TForm1::FormKeyDown(UINT /*key*/) {
  if (!InPreview()) Close();
}

void TForm1::FormMouseDown(UINT /*button*/, int /*x*/, int /*y*/) {
  if (!InPreview()) Close();
}

// Each axis on its own: exactly 10 pixels away keeps the saver, 11 ends it.
void TForm1::FormMouseMove(int x, int y) {
  if (InPreview()) return;
  const int dx = x - startCursorPos.x;
  const int dy = y - startCursorPos.y;
  if (dx < -kMoveTolerance || dx > kMoveTolerance || dy < -kMoveTolerance || dy > kMoveTolerance) {
    Close();
  }
}

void TForm1::FormDestroy() {
  if (!InPreview()) platform::SetApplicationCursor(savedCursor);
  auto& application = platform::Application::Instance();
  if (application.Clockwork() == this) application.SetClockwork(nullptr);
  driver.reset();
  if (show) show->FormDestroy();
  show.reset();
  backBuffer.Resize(0, 0);
}

void TForm1::Step() {
  driver->Step();
  if (!resumeSwitching) return;
  resumeSwitching = false;
  scheduler.SetEnabled(slideshow::SaverTimer::tmGamen, true);
}

std::optional<int64_t> TForm1::NextWake() const { return driver->NextWake(); }

void TForm1::StepTicker() { ticker.tmComTimer(backBuffer.Height()); }

void TForm1::PresentFrame() {
  if (!Handle()) return;
  const platform::WindowDc dc(Handle());
  const SIZE client = ClientSize();
  backBuffer.PresentTo(dc.get(), client.cx, client.cy);
  // The show writes the pixels directly at the next tick; GDI must be done
  // with them by then.
  ::GdiFlush();
}

// Full screen each changed part goes where it is; the preview takes the whole
// buffer scaled down, since a part of it would not map onto whole pixels.
void TForm1::PresentBackBuffer(const std::vector<slideshow::Rect>& dirty) {
  if (!Handle()) return;
  const SIZE client = ClientSize();
  if (client.cx != backBuffer.Width() || client.cy != backBuffer.Height()) return PresentFrame();
  const platform::WindowDc dc(Handle());
  for (const slideshow::Rect& r : dirty) {
    ::BitBlt(dc.get(), r.left, r.top, r.width(), r.height(), backBuffer.Dc(), r.left, r.top,
             SRCCOPY);
  }
  ::GdiFlush();
}

SIZE TForm1::ClientSize() const {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  return {client.right - client.left, client.bottom - client.top};
}

slideshow::PixelView TForm1::BackBufferView() {
  return {backBuffer.Pixels(), backBuffer.Width(), backBuffer.Height(), backBuffer.Width()};
}

std::optional<codecs::Image> TForm1::Decode(const std::string& path) {
  return DecodePictureFile(path);
}

settings::ReadOutcome TForm1::ReadSaverPictureSettings(settings::SaverSettings& settings,
                                                       slideshow::PictureList& list) {
  return settings::ReadSaverPictureSettings(registry, settings, list);
}

settings::ReadOutcome TForm1::ReadSaverMessageSettings(settings::SaverSettings& settings) {
  return settings::ReadSaverMessageSettings(registry, settings);
}

void TForm1::RequestEnd() { platform::Application::Instance().Terminate(); }

// Measured on the window's own DC against its current width (the preview
// window's in preview mode); the same font then goes onto backBuffer.
void TForm1::LayoutMessage(const settings::SaverSettings& settings) {
  LOGFONTW font{};
  {
    WindowTextMeasurer measurer(Handle());
    ticker.LayoutMessage(settings, measurer, ClientSize().cx);
    font = MessageLogFont(ticker.font(), backBuffer.Dc());
  }
  backBuffer.SetFont(font);
}

// The rectangle returned holds every pixel the text may touch: an italic
// glyph reaches past its advance and some faces draw above or below the cell,
// so it is widened by a line height and grown by a quarter line each way.
slideshow::Rect TForm1::DrawTicker() {
  const std::string& text = ticker.tickerText();
  if (text.empty()) return {};
  const std::wstring wide = platform::WideFromUtf8(text);
  backBuffer.DrawTextLine(0, ticker.tickerY(), wide, COLORREF(ticker.font().color));
  if (text != measuredTicker) {
    measuredExtent = backBuffer.MeasureText(wide);
    measuredTicker = text;
  }
  ::GdiFlush();
  const int32_t width = int32_t(measuredExtent.cx), height = int32_t(measuredExtent.cy);
  const int32_t margin = height / 4 + 1;
  const int32_t y = ticker.tickerY();
  return {0, std::max(0, y - margin), std::min(backBuffer.Width(), width + height + margin),
          std::min(backBuffer.Height(), y + height + margin)};
}

void TForm1::HideApplicationWindow() {
  ::ShowWindow(platform::Application::Instance().Handle(), SW_HIDE);
}

void TForm1::SetTimerInterval(slideshow::SaverTimer timer, uint32_t milliseconds) {
  scheduler.SetInterval(timer, milliseconds);
}

void TForm1::SetTimerEnabled(slideshow::SaverTimer timer, bool enabled) {
  scheduler.SetEnabled(timer, enabled);
}

slideshow::Size TForm1::ScreenSize() {
  return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

int64_t TForm1::NowSeconds() { return int64_t(std::time(nullptr)); }

void TForm1::MessageBeep(uint32_t type) { ::MessageBeep(UINT(type)); }

// While the box is open the switch timer waits: otherwise a list of pictures
// that all give the message would stack one box on another every switch.
// The box comes inside a tick, whose logical time lies before the box
// opened; started again there, the countdown would be long over, so it is
// started once the tick is done (Step). No tick runs while the box is open:
// its own loop does not run the clockwork.
void TForm1::ShowMessage(const std::string& text) {
  const bool switching = scheduler.Enabled(slideshow::SaverTimer::tmGamen);
  scheduler.SetEnabled(slideshow::SaverTimer::tmGamen, false);
  platform::ShowMessageUtf8(text);
  resumeSwitching = resumeSwitching || switching;
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      return HandleActivate(wParam);
    case WM_ERASEBKGND:
      return HandleEraseBkgnd();
    case WM_SYSCOMMAND:
      return HandleSysCommand(wParam, lParam);
    default:
      return Form::HandleMessage(message, wParam, lParam);
  }
}

// Not passed on, so the keyboard focus that the normal handling would set on
// activation is set here: keys must reach the window to end the saver.
LRESULT TForm1::HandleActivate(WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    if (!InPreview()) Close();
  } else if (!InPreview()) {
    ::SetFocus(Handle());
  }
  return 0;
}

LRESULT TForm1::HandleEraseBkgnd() { return 0; }

// Refuses the system's request to start a screen saver while this one runs;
// the whole 32 bits are compared, so SC_SCREENSAVE with flag bits passes on.
LRESULT TForm1::HandleSysCommand(WPARAM wParam, LPARAM lParam) {
  if (wParam == kScScreenSave) return 1;
  return Form::HandleMessage(WM_SYSCOMMAND, wParam, lParam);
}

}  // namespace app
