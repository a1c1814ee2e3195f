// The dialog's pixel layout: the template read, every control placed and
// given its font at the window's dpi, again after every dpi change.
#include <stdexcept>

#include "platform/dialog_win.h"
#include "platform/japanese_font_win.h"
#include "platform/label_size_win.h"

namespace platform {
namespace {

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

void Dialog::LayOutFirstTime() {
  KeepSystemFromRescaling(Handle());
  ApplyLayout(::GetDpiForWindow(Handle()));
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

void Dialog::OnDpiChanged(UINT dpi, const RECT& suggested) {
  ApplyLayout(dpi);
  ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace platform
