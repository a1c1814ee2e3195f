#include "app/saver_window_win.h"

#include <imm.h>

#include <algorithm>
#include <ctime>
#include <iterator>
#include <string_view>
#include <utility>
#include <vector>

#include "app/message_font_win.h"
#include "app/picture_file_win.h"
#include "app/preview_window_win.h"
#include "app/text_mask_win.h"
#include "codecs/sample_picture_win.h"
#include "platform/application_win.h"
#include "platform/cursor_win.h"
#include "platform/handles_win.h"
#include "platform/message_box_win.h"
#include "platform/reader_thread_win.h"
#include "platform/utf16.h"
#include "settings/folder_listing_win.h"
#include "settings/folder_scan.h"
#include "settings/saver_store.h"
#include "slideshow/hidden_store.h"
#include "slideshow/picture_scan.h"
#include "slideshow/shuffle_place_store.h"

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

// The worker's folder scan, with a listing of its own: it may still be
// listing a slow folder when the window is gone.
void ScanFolderFromWorker(const std::string& folder, settings::PictureList& list) {
  settings::Win32FolderListing listing;
  slideshow::ScanPictureFolder(folder, listing, list);
}

// The library's walk, with a listing of its own for the same reason.
void WalkLibraryFromWorker(slideshow::PictureWalk walk, const slideshow::WalkReceiver& receiver) {
  settings::Win32FolderListing listing;
  walk.masks = settings::PictureMasks();
  slideshow::WalkPictureTree(walk, listing, receiver);
}

bool IsSaverWindow(HWND window) {
  DWORD process = 0;
  if (!window || !::GetWindowThreadProcessId(window, &process)) return false;
  if (process != ::GetCurrentProcessId()) return false;
  wchar_t name[32]{};
  ::GetClassNameW(window, name, int(std::size(name)));
  return std::wstring_view(name) == TForm1::kClassName;
}

// The key of a WM_KEYDOWN or WM_SYSKEYDOWN, with the modifiers held.
slideshow::KeyDown KeyDownOf(WPARAM wParam, LPARAM lParam) {
  const auto held = [](int key) { return ::GetKeyState(key) < 0; };
  slideshow::KeyDown key;
  key.virtualKey = uint32_t(wParam);
  key.repeat = (lParam & (LPARAM(1) << 30)) != 0;
  key.ctrl = held(VK_CONTROL);
  key.alt = (lParam & (LPARAM(1) << 29)) != 0 || held(VK_MENU);
  key.windows = held(VK_LWIN) || held(VK_RWIN);
  return key;
}
}  // namespace

TForm1::TForm1() : role(previewWnd ? SaverWindowRole::Preview : SaverWindowRole::Primary) {
  CreateHandle();
  FormCreate();
}

TForm1::TForm1(const OtherMonitor& monitor)
    : role(SaverWindowRole::OtherMonitor), otherMonitor(monitor) {
  CreateHandle();
  FormCreate();
}

TForm1::~TForm1() { FormDestroy(); }

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

void TForm1::FormCreate() {
  HideApplicationWindow();
  if (OnPrimary()) {
    savedCursor = platform::ApplicationCursor();
    if (!InPreview()) platform::SetApplicationCursor(nullptr);
    // The preview goes on with the round but leaves its place to the saver.
    slideshow::ShuffleKeeping keeping;
    keeping.read = [this] { return slideshow::ReadShufflePlace(registry); };
    if (!InPreview())
      keeping.write = [this](const slideshow::ShufflePlace& place) {
        slideshow::WriteShufflePlace(registry, place);
      };
    // A photo whose hiding cannot be written is skipped for this run all
    // the same, and nothing covers the saver to say so.
    slideshow::HiddenKeeping keepHidden;
    if (!InPreview())
      keepHidden = [this](const std::string& path) { slideshow::WriteHiddenPicture(registry, path); };
    supply.emplace(
        slideshow::PictureReaders{&DecodePictureFile, &ScanFolderFromWorker, &WalkLibraryFromWorker,
                                  &ReadPictureFileHeader},
        platform::BackgroundReader::Setup{platform::WakeWindow(Handle()),
                                          &platform::SetReaderThreadErrorMode},
        std::move(keeping), slideshow::HiddenFilter(slideshow::ReadHiddenPictures(registry)),
        std::move(keepHidden));
  }
  ::GetCursorPos(&startCursorPos);
  LayOut();
  if (OnPrimary()) platform::Application::Instance().SetClockwork(this);
  ::ImmAssociateContext(Handle(), nullptr);
}

// The engine is made once the back buffer has its screen size: its view of
// the pixels is taken here and stays valid until the window is laid out
// anew. The supply keeps the position, so a show made again goes on where
// the last one was.
void TForm1::LayOut() {
  engine.reset();
  const slideshow::Size screen = ScreenSize();
  const POINT origin = OnPrimary() ? POINT{} : POINT{otherMonitor.area.left, otherMonitor.area.top};
  SetBounds(origin.x, origin.y, screen.width, screen.height);
  const SIZE client = ClientSize();
  backBuffer.Resize(client.cx, client.cy);
  slideshow::SaverShowSetup show{BackBufferView(), codecs::LoadSamplePicture(), InPreview(),
                                 &Supply()};
  show.pictureToWindow = !InPreview();
  if (!OnPrimary()) {
    show.followsSwitches = true;
    show.pictureOffset = otherMonitor.pictureOffset;
  }
  engine.emplace(*this, OnPrimary() ? ProcessFrameCounters() : ownCounters,
                 OnPrimary() ? ProcessTickerLine() : ownTickerLine,
                 slideshow::SaverEngineSetup{
                     std::move(show),
                     [] { return platform::Application::Instance().Clock().NowNanoseconds(); },
                     slideshow::PresentPacer::RefreshPeriodNs(DisplayRefreshHz())});
}

void TForm1::FitToScreen() {
  LayOut();
  Invalidate();
}

int32_t TForm1::DisplayRefreshHz() const {
  const platform::WindowDc dc(Handle());
  return int32_t(::GetDeviceCaps(dc.get(), VREFRESH));
}

void TForm1::FormShow() { HideApplicationWindow(); }

void TForm1::FormPaint() {
  const platform::PaintDc paint(Handle());
  engine->Paint();
}

void TForm1::FormKeyDown(const slideshow::KeyDown& key) {
  const slideshow::KeyCommand command =
      slideshow::CommandForKey(key, engine->Show().Settings().picture.keys, !InPreview());
  if (command == slideshow::KeyCommand::Ignore) return;
  if (command == slideshow::KeyCommand::End || !onSteer) return EndRun();
  onSteer(command);
}

void TForm1::EndRunToExplore() {
  photoToExplore = engine->Show().ShownPath();
  EndRun();
}

void TForm1::FormMouseDown(UINT /*button*/, int /*x*/, int /*y*/) {
  if (!InPreview()) EndRun();
}

// Each axis on its own: exactly 10 pixels away keeps the saver, 11 ends it.
// The start is in screen coordinates, and so is the move once translated
// from the window's (another monitor's window does not start at 0, 0).
void TForm1::FormMouseMove(int x, int y) {
  if (InPreview()) return;
  POINT at{x, y};
  ::ClientToScreen(Handle(), &at);
  const int dx = at.x - startCursorPos.x;
  const int dy = at.y - startCursorPos.y;
  if (dx < -kMoveTolerance || dx > kMoveTolerance || dy < -kMoveTolerance || dy > kMoveTolerance) {
    EndRun();
  }
}

// The screen is the user's again the moment the run ends, before the close
// request is even taken, so nothing after it (the loop's end, the process's,
// a read that holds the process on slow storage) keeps a monitor covered.
// Every saver window first shrinks to an empty region, which takes effect at
// once everywhere, and is then hidden: hiding a full-screen window may wait
// for the window manager (under Wine without one, two seconds a window).
void TForm1::EndRun() {
  std::vector<HWND> windows;
  const auto collect = [](HWND window, LPARAM data) -> BOOL {
    if (IsSaverWindow(window)) reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
  };
  ::EnumThreadWindows(::GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(&windows));
  for (HWND window : windows) ::SetWindowRgn(window, ::CreateRectRgn(0, 0, 0, 0), TRUE);
  ::GdiFlush();
  for (HWND window : windows) ::ShowWindow(window, SW_HIDE);
  Close();
}

void TForm1::FormDestroy() {
  if (role == SaverWindowRole::Primary) platform::SetApplicationCursor(savedCursor);
  auto& application = platform::Application::Instance();
  if (application.Clockwork() == this) application.SetClockwork(nullptr);
  engine.reset();
  windowMeasurer.reset();
  backBuffer.Resize(0, 0);
}

void TForm1::Step() { engine->Step(platform::Application::Instance().Clock().NowNanoseconds()); }

void TForm1::StretchBackBuffer() {
  if (!Handle()) return;
  const platform::WindowDc dc(Handle());
  const SIZE client = ClientSize();
  backBuffer.PresentTo(dc.get(), client.cx, client.cy);
  // The show writes the pixels directly at the next tick; GDI must be done
  // with them by then.
  ::GdiFlush();
}

// Full screen each part goes where it is, black, from the picture or from the
// buffer; the preview takes the whole buffer scaled down, since a part of it
// would not map onto whole pixels.
void TForm1::PresentUpdate(const slideshow::WindowUpdate& update) {
  if (!Handle()) return;
  const SIZE client = ClientSize();
  if (client.cx != backBuffer.Width() || client.cy != backBuffer.Height()) return StretchBackBuffer();
  const platform::WindowDc dc(Handle());
  for (const slideshow::Rect& r : update.black)
    ::PatBlt(dc.get(), r.left, r.top, r.width(), r.height(), BLACKNESS);
  if (update.picture != nullptr) {
    for (const slideshow::CopyPlan& part : update.fromPicture) PutPicturePart(dc.get(), *update.picture, part);
  }
  for (const slideshow::Rect& r : update.fromBuffer) {
    ::BitBlt(dc.get(), r.left, r.top, r.width(), r.height(), backBuffer.Dc(), r.left, r.top,
             SRCCOPY);
  }
  ::GdiFlush();
}

// The rows of the part are described as a top-down DIB of their own, so the
// copy reads from its first row whatever the convention for a source origin.
void TForm1::PutPicturePart(HDC dc, const codecs::Image& picture, const slideshow::CopyPlan& part) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -part.dest.height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  ::SetDIBitsToDevice(dc, part.dest.left, part.dest.top, DWORD(part.dest.width()),
                      DWORD(part.dest.height()), part.sourceLeft, 0, 0, UINT(part.dest.height()),
                      picture.row(part.sourceTop), &info, DIB_RGB_COLORS);
}

SIZE TForm1::ClientSize() const {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  return {client.right - client.left, client.bottom - client.top};
}

slideshow::PixelView TForm1::BackBufferView() {
  return {backBuffer.Pixels(), backBuffer.Width(), backBuffer.Height(), backBuffer.Width()};
}

settings::ReadOutcome TForm1::ReadSaverPictureSettings(settings::SaverSettings& settings,
                                                       settings::PictureList& list) {
  return settings::ReadSaverPictureSettings(registry, settings, list);
}

settings::ReadOutcome TForm1::ReadSaverMessageSettings(settings::SaverSettings& settings) {
  return settings::ReadSaverMessageSettings(registry, settings);
}

void TForm1::RequestEnd() { platform::Application::Instance().Terminate(); }

slideshow::TextMeasurer::Extent TForm1::MeasureText(const slideshow::MessageFont& font,
                                                    std::string_view text) {
  if (!windowMeasurer) windowMeasurer.emplace(Handle());
  return windowMeasurer->MeasureText(font, text);
}

void TForm1::SelectDrawingFont(const slideshow::MessageFont& font) {
  if (drawingFont == font) return;
  backBuffer.SetFont(MessageLogFont(font, backBuffer.Dc()));
  drawingFont = font;
  measuredText.clear();
}

// Every pixel the text may touch: an italic glyph reaches past its advance
// and some faces draw above or below the cell, so the text's extent is
// widened by a line height and grown by a quarter line each way.
slideshow::Rect TForm1::TextBounds(const slideshow::MessageFont& font, int32_t x, int32_t y,
                                   const std::string& text) {
  SelectDrawingFont(font);
  if (text != measuredText) {
    measuredExtent = backBuffer.MeasureText(platform::WideFromUtf8(text));
    measuredText = text;
  }
  const int32_t width = int32_t(measuredExtent.cx), height = int32_t(measuredExtent.cy);
  const int32_t margin = height / 4 + 1;
  return {std::max(0, x), std::max(0, y - margin),
          std::min(backBuffer.Width(), x + width + height + margin),
          std::min(backBuffer.Height(), y + height + margin)};
}

void TForm1::DrawText(const slideshow::MessageFont& font, int32_t x, int32_t y,
                      const std::string& text) {
  SelectDrawingFont(font);
  backBuffer.DrawTextLine(x, y, platform::WideFromUtf8(text), COLORREF(font.color));
  ::GdiFlush();
}

slideshow::TextMask TForm1::RenderCaptionText(const std::string& face, int32_t pixelHeight,
                                              const std::string& text) {
  return RenderTextMask(face, pixelHeight, text);
}

void TForm1::HideApplicationWindow() {
  ::ShowWindow(platform::Application::Instance().Handle(), SW_HIDE);
}

slideshow::Size TForm1::ScreenSize() {
  if (!OnPrimary()) {
    const RECT& r = otherMonitor.area;
    return {r.right - r.left, r.bottom - r.top};
  }
  return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

int64_t TForm1::NowSeconds() { return int64_t(std::time(nullptr)); }

void TForm1::MessageBeep(uint32_t type) { ::MessageBeep(UINT(type)); }

void TForm1::ShowMessage(const std::string& text) { platform::ShowMessageUtf8(text); }

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      return HandleActivate(wParam, lParam);
    case WM_DISPLAYCHANGE:
    case WM_DPICHANGED:
    case WM_SETTINGCHANGE:
      // The monitors may have changed: whoever lays the windows out looks
      // at once (it also looks every second, since not every change is
      // announced).
      if (onDisplayChange) onDisplayChange();
      return Form::HandleMessage(message, wParam, lParam);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      FormKeyDown(KeyDownOf(wParam, lParam));
      return 0;
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
// Activation moving to another monitor's saver window is not another program.
LRESULT TForm1::HandleActivate(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    if (!InPreview() && !IsSaverWindow(reinterpret_cast<HWND>(lParam))) EndRun();
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
