#include "app/saver_window_win.h"

#include <imm.h>

#include "app/preview_window_win.h"
#include "platform/application_win.h"
#include "platform/cursor_win.h"
#include "platform/handles_win.h"
#include "settings/registry_win.h"
#include "settings/saver_store.h"
#include "slideshow/saver_show.h"

namespace app {

namespace {
constexpr int kMoveTolerance = 10;
constexpr WPARAM kScScreenSave = 0xF140;
}  // namespace

TForm1::TForm1() {
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
  if (InPreview()) {
    params.parent = previewWnd;
    params.style = (params.style & ~WS_POPUP) | WS_CHILD;
    params.exStyle &= ~WS_EX_TOPMOST;
  }
}

void TForm1::FormCreate() {
  ::ShowWindow(platform::Application::Instance().Handle(), SW_HIDE);
  pictureList = std::make_unique<slideshow::PictureList>();
  pictureList->currentIndex = 0;
  SetBounds(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  savedCursor = platform::ApplicationCursor();
  if (!InPreview()) platform::SetApplicationCursor(nullptr);
  ::GetCursorPos(&startCursorPos);
  RECT client{};
  ::GetClientRect(Handle(), &client);
  backBuffer.Resize(client.right - client.left, client.bottom - client.top);
  motion.posX = motion.posY = 0;
  motion.stepX = motion.stepY = 2;
  motion.dirX = motion.dirY = +1;
  animation.framePeriod = 20;
  animation.animForward = true;
  Timer1.SetInterval(kTimer1Interval);
  Timer1.SetEnabled(true);
  tmCom.SetInterval(kTmComInterval);
  tmCom.SetEnabled(true);
  backBuffer.Fill(0);
  ::ImmAssociateContext(Handle(), nullptr);
}

void TForm1::FormShow() { ::ShowWindow(platform::Application::Instance().Handle(), SW_HIDE); }

// Reads the settings on every paint, so a change of the key shows at the next
// one; a missing key ends the run (the readers say so, the loop takes it).
void TForm1::FormPaint() {
  platform::PaintDc paint(Handle());
  settings::Win32Registry registry;
  bool end = settings::ReadSaverPictureSettings(registry, saverSettings, *pictureList) ==
             settings::ReadOutcome::EndApplication;
  end |= settings::ReadSaverMessageSettings(registry, saverSettings) ==
         settings::ReadOutcome::EndApplication;
  if (end) platform::Application::Instance().Terminate();
  ::ShowWindow(platform::Application::Instance().Handle(), SW_HIDE);
  PresentOn(paint.get());
  tmGamen.SetInterval(slideshow::SaverShow::SwitchInterval(saverSettings.switchSeconds));
  tmGamen.SetEnabled(true);
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
  Timer1.SetEnabled(false);
  tmGamen.SetEnabled(false);
  pictureList.reset();
  pictureBitmap = codecs::Image();
  backBuffer.Resize(0, 0);
}

void TForm1::Timer1Timer() { PresentFrame(); }

// The message ticker takes its step here.
void TForm1::tmComTimer() {}

void TForm1::tmGamenTimer() {
  Timer1.SetEnabled(false);
  tmCom.SetEnabled(false);
  ++pictureList->currentIndex;
  if (pictureList->currentIndex > pictureList->lastIndex) pictureList->currentIndex = 0;
  Timer1.SetInterval(kTimer1Interval);
  tmCom.SetInterval(kTmComInterval);
  Timer1.SetEnabled(true);
  tmCom.SetEnabled(true);
}

void TForm1::PlaySoundEffect() {
  if (InPreview()) return;
  switch (saverSettings.soundEffect) {
    case settings::Beep:
      ::MessageBeep(0xFFFFFFFF);
      break;
    case settings::SystemSound:
      ::MessageBeep(0);
      break;
    default:
      break;
  }
}

void TForm1::PresentFrame() {
  if (!Handle()) return;
  platform::WindowDc dc(Handle());
  PresentOn(dc.get());
}

void TForm1::PresentOn(HDC target) {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  backBuffer.PresentTo(target, client.right - client.left, client.bottom - client.top);
}

slideshow::PixelView TForm1::BackBufferView() {
  return {backBuffer.Pixels(), backBuffer.Width(), backBuffer.Height(), backBuffer.Width()};
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
