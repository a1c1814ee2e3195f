#include "platform/dialog_win.h"

#include <commctrl.h>

#include <stdexcept>

#include "platform/application_win.h"
#include "platform/japanese_font_win.h"
#include "platform/label_size_win.h"

namespace platform {
namespace {

struct ModalDisabled {
  HWND except;
  std::vector<HWND> windows;
};

BOOL CALLBACK DisableOne(HWND window, LPARAM state) {
  auto& disabled = *reinterpret_cast<ModalDisabled*>(state);
  if (window != disabled.except && ::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
    ::EnableWindow(window, FALSE);
    disabled.windows.push_back(window);
  }
  return TRUE;
}

// The program's other windows take no input while a dialog is modal.
class DisabledWindows {
 public:
  explicit DisabledWindows(HWND modal) : state_{modal, {}} {
    ::EnumThreadWindows(::GetCurrentThreadId(), &DisableOne, reinterpret_cast<LPARAM>(&state_));
  }
  DisabledWindows(const DisabledWindows&) = delete;
  DisabledWindows& operator=(const DisabledWindows&) = delete;
  ~DisabledWindows() {
    for (HWND window : state_.windows) {
      if (::IsWindow(window)) ::EnableWindow(window, TRUE);
    }
  }

 private:
  ModalDisabled state_;
};

LRESULT CALLBACK SpeedButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      ::SetCapture(button);
      ::SendMessageW(button, BM_SETSTATE, TRUE, 0);
      return 0;
    case WM_MOUSEMOVE:
      if (::GetCapture() == button) {
        RECT client;
        ::GetClientRect(button, &client);
        const POINT at{short(LOWORD(lParam)), short(HIWORD(lParam))};
        ::SendMessageW(button, BM_SETSTATE, ::PtInRect(&client, at), 0);
      }
      return 0;
    case WM_LBUTTONUP:
      if (::GetCapture() == button) {
        const bool pressed = (::SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
        ::ReleaseCapture();
        if (pressed) {
          ::SendMessageW(::GetParent(button), WM_COMMAND,
                         MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED), LPARAM(button));
        }
      }
      return 0;
    case WM_CAPTURECHANGED:
      ::SendMessageW(button, BM_SETSTATE, FALSE, 0);
      return 0;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(button, &SpeedButtonProc, 0);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(button, message, wParam, lParam);
}

// A display-only control never sees a mouse button, so a click neither
// focuses it, nor moves a caret, nor selects.
LRESULT CALLBACK DisplayOnlyProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
    case WM_CONTEXTMENU:
      return 0;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(control, &DisplayOnlyProc, 0);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(control, message, wParam, lParam);
}

// Per-monitor aware dialogs are rescaled by the system in dialog units unless
// told otherwise; the pixel layout does its own scaling. The function exists
// from Windows 10 1703 on, so it is looked up.
void KeepSystemFromRescaling(HWND dialog) {
  using Fn = BOOL(WINAPI*)(HWND, DIALOG_DPI_CHANGE_BEHAVIORS, DIALOG_DPI_CHANGE_BEHAVIORS);
  const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  const auto set = user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(
                                ::GetProcAddress(user32, "SetDialogDpiChangeBehavior")))
                          : nullptr;
  if (set) set(dialog, DDC_DISABLE_ALL, DDC_DISABLE_ALL);
}

}  // namespace

void Dialog::Create(int templateId) {
  // The up-down control's class, among others, exists only once registered.
  static const BOOL commonControls = [] {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    return ::InitCommonControlsEx(&init);
  }();
  static_cast<void>(commonControls);
  Application& application = Application::Instance();
  description_ = ReadFormDescription(application.Instance_(), templateId);
  const HWND window = ::CreateDialogParamW(application.Instance_(), MAKEINTRESOURCEW(templateId),
                                           application.Handle(), &Dialog::DialogProc,
                                           reinterpret_cast<LPARAM>(this));
  if (!window) throw std::runtime_error("CreateDialogParamW failed");
  application.RegisterForm(window, true);
}

Dialog::FormDescription Dialog::ReadFormDescription(HINSTANCE instance, int templateId) {
  const HRSRC resource = ::FindResourceW(instance, MAKEINTRESOURCEW(templateId), RT_DIALOG);
  const HGLOBAL loaded = resource ? ::LoadResource(instance, resource) : nullptr;
  const auto* data = loaded ? static_cast<const uint8_t*>(::LockResource(loaded)) : nullptr;
  if (!data) throw std::runtime_error("dialog template not found");
  DialogTemplate parsed = ParseDialogTemplate(data, ::SizeofResource(instance, resource));
  FormDescription form;
  form.clientWidth = parsed.width;
  form.clientHeight = parsed.height;
  if (parsed.hasFont) {
    form.font.pixelHeight96 = ::MulDiv(parsed.fontPoints, 96, 72);
    form.font.weight = parsed.fontWeight;
    form.font.face = std::move(parsed.fontFace);
    form.charSet = parsed.fontCharSet;
  }
  form.items = std::move(parsed.items);
  return form;
}

UniqueFont Dialog::MakeFont(const ControlFont& font) const {
  LOGFONTW logFont{};
  logFont.lfHeight = -Scale(font.pixelHeight96);
  logFont.lfWeight = font.weight;
  logFont.lfCharSet = description_.charSet;
  font.face.copy(logFont.lfFaceName, LF_FACESIZE - 1);
  return CreateJapaneseFont(logFont);
}

void Dialog::ApplyLayout(UINT dpi) {
  dpi_ = dpi;
  formFont_ = MakeFont(description_.font);
  for (OwnFont& own : ownFonts_) own.handle = MakeFont(own.font);
  for (const DialogItemBounds& item : description_.items) {
    const HWND control = Item(item.id);
    if (!control) continue;
    HFONT font = formFont_.get();
    for (const OwnFont& own : ownFonts_) {
      if (own.id == item.id) font = own.handle.get();
    }
    ::SendMessageW(control, WM_SETFONT, WPARAM(font), FALSE);
    ::SetWindowPos(control, nullptr, Scale(item.x), Scale(item.y), Scale(item.width),
                   Scale(item.height), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (int id : autoSized_) AutoSizeLabel(Item(id));
  RECT outer{0, 0, Scale(description_.clientWidth), Scale(description_.clientHeight)};
  ::AdjustWindowRectExForDpi(&outer, DWORD(::GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                             DWORD(::GetWindowLongPtrW(Handle(), GWL_EXSTYLE)), dpi_);
  ::SetWindowPos(Handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  OnLayout();
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

void Dialog::SetControlFont(int id, ControlFont font) {
  UniqueFont handle = MakeFont(font);
  ::SendMessageW(Item(id), WM_SETFONT, WPARAM(handle.get()), TRUE);
  for (OwnFont& own : ownFonts_) {
    if (own.id == id) {
      own.font = std::move(font);
      own.handle = std::move(handle);
      return;
    }
  }
  ownFonts_.push_back(OwnFont{id, std::move(font), std::move(handle)});
}

void Dialog::SetAutoSize(int id) {
  const HWND label = Item(id);
  ::SetWindowLongPtrW(label, GWL_STYLE,
                      (::GetWindowLongPtrW(label, GWL_STYLE) & ~LONG_PTR(SS_TYPEMASK)) |
                          SS_LEFTNOWORDWRAP);
  autoSized_.push_back(id);
  AutoSizeLabel(label);
}

void Dialog::MakeSpeedButton(int id) {
  const HWND button = Item(id);
  ::SetWindowLongPtrW(button, GWL_STYLE, ::GetWindowLongPtrW(button, GWL_STYLE) & ~WS_TABSTOP);
  ::SetWindowSubclass(button, &SpeedButtonProc, 0, 0);
}

void Dialog::MakeDisplayOnly(int id) {
  const HWND control = Item(id);
  ::SetWindowLongPtrW(control, GWL_STYLE, ::GetWindowLongPtrW(control, GWL_STYLE) & ~WS_TABSTOP);
  ::SetWindowSubclass(control, &DisplayOnlyProc, 0, 0);
}

std::wstring Dialog::ItemText(int id) const {
  const HWND control = Item(id);
  std::wstring text(size_t(::GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(size_t(::GetWindowTextW(control, text.data(), int(text.size()))));
  return text;
}

void Dialog::SetItemText(int id, std::wstring_view text) {
  ::SetWindowTextW(Item(id), std::wstring(text).c_str());
}

bool Dialog::Checked(int id) const {
  return ::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Dialog::SetChecked(int id, bool checked) {
  ::SendMessageW(Item(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Dialog::CenterOnScreen() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ::GetMonitorInfoW(::MonitorFromWindow(Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT window;
  ::GetWindowRect(Handle(), &window);
  const RECT& screen = monitor.rcMonitor;
  const int width = window.right - window.left, height = window.bottom - window.top;
  ::SetWindowPos(Handle(), nullptr, screen.left + (screen.right - screen.left - width) / 2,
                 screen.top + (screen.bottom - screen.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Dialog::ShowModal() {
  if (modal_) throw std::logic_error("the dialog is already shown modally");
  const HWND previous = ::GetActiveWindow();
  modal_ = true;
  modalDone_ = false;
  modalResult_ = 0;
  {
    DisabledWindows others(Handle());
    ::ShowWindow(Handle(), SW_SHOW);
    ::SetForegroundWindow(Handle());
    RunModalLoop();
  }
  // Re-enabled first, so the activation goes back to the opener.
  ::ShowWindow(Handle(), SW_HIDE);
  if (previous && ::IsWindow(previous)) ::SetActiveWindow(previous);
  modal_ = false;
  return modalResult_;
}

void Dialog::RunModalLoop() {
  while (!modalDone_ && !Application::Instance().Terminated()) {
    MSG message;
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(int(message.wParam));
      EndModal(IDCANCEL);
      break;
    }
    if (got == -1) {
      EndModal(IDCANCEL);
      break;
    }
    if (!::IsDialogMessageW(Handle(), &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
}

void Dialog::EndModal(int result) {
  modalResult_ = result;
  modalDone_ = true;
  // The modal loop may be blocked in GetMessage when the closing command
  // came as a sent message (from another thread or process); wake it.
  ::PostMessageW(Handle(), WM_NULL, 0, 0);
}

void Dialog::OnClose() {
  if (modal_) {
    EndModal(IDCANCEL);
  } else {
    TerminateOrHide();
  }
}

void Dialog::OnDpiChanged(UINT dpi, const RECT& suggested) {
  ApplyLayout(dpi);
  ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      KeepSystemFromRescaling(Handle());
      ApplyLayout(::GetDpiForWindow(Handle()));
      OnInitDialog();
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if ((id == IDOK || id == IDCANCEL) && lParam == 0) return TRUE;
      OnCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return TRUE;
    }
    case WM_SHOWWINDOW:
      if (wParam && lParam == 0) {
        CenterOnScreen();
        OnShow();
      }
      return FALSE;
    case WM_PAINT:
      OnPaint();
      return FALSE;
    case WM_CLOSE:
      OnClose();
      return TRUE;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) Bind(window, reinterpret_cast<Dialog*>(lParam));
  auto* dialog = static_cast<Dialog*>(Receiver(window, message));
  if (!dialog) return FALSE;
  return Guarded([&] { return dialog->HandleMessage(message, wParam, lParam); }, INT_PTR(TRUE));
}

}  // namespace platform
