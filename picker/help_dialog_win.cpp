#include "picker/help_dialog_win.h"

#include <commctrl.h>

#include "platform/application_win.h"
#include "resources/ad_ids.h"

namespace picker {
namespace {

// The dialog manager selects the whole text of an edit control whenever it
// gives it the focus (at creation and at every reactivation), which would
// lose the reader's selection and scroll position; and a multi-line edit
// turns Esc into a close request. The text box asks for neither.
LRESULT CALLBACK HelpTextProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
  if (message == WM_GETDLGCODE) {
    LRESULT code = ::DefSubclassProc(edit, message, wParam, lParam);
    code &= ~LRESULT(DLGC_HASSETSEL);
    const auto* key = reinterpret_cast<const MSG*>(lParam);
    if (key && key->message == WM_KEYDOWN && key->wParam == VK_ESCAPE) {
      code &= ~LRESULT(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE);
    }
    return code;
  }
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(edit, &HelpTextProc, 0);
  return ::DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

std::wstring HelpText(HINSTANCE instance) {
  std::wstring text;
  for (int line = 0; line < IDS_AD_LINE_COUNT; ++line) {
    if (line > 0) text += L"\r\n";
    const wchar_t* resource = nullptr;
    // Length 0 asks for a pointer to the string in the resource itself.
    const int length = ::LoadStringW(instance, UINT(IDS_AD_LINE_FIRST + line),
                                     reinterpret_cast<wchar_t*>(&resource), 0);
    if (length > 0) text.append(resource, size_t(length));
  }
  return text;
}

TfrmAd::TfrmAd() { Create(IDD_AD); }

void TfrmAd::OnInitDialog() {
  SetControlFont(IDC_AD_MEMSREG, {L"ＭＳ ゴシック", 13});
  SetControlFont(IDC_AD_BTOK, {L"ＭＳ Ｐゴシック", 13});
  ::SetWindowSubclass(Item(IDC_AD_MEMSREG), &HelpTextProc, 0, 0);
  SetItemText(IDC_AD_MEMSREG, HelpText(platform::Application::Instance().Instance_()));
}

void TfrmAd::OnCommand(int id, int code, HWND) {
  if (id == IDC_AD_BTOK && code == BN_CLICKED) EndModal(IDOK);
}

// The read-only text box: black text on the dialog's button-face colour.
INT_PTR TfrmAd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == Item(IDC_AD_MEMSREG)) {
    const HDC dc = reinterpret_cast<HDC>(wParam);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
  }
  return Dialog::HandleMessage(message, wParam, lParam);
}

}  // namespace picker
