#pragma once
// The base of every form built from a resource-script dialog template
// (DIALOGEX in resources/*.rc). The dialogs of settings mode are created once,
// hidden and modeless, and reused for every opening, so they keep their state
// (text, selection, scroll positions) between openings.
//
//   class TfrmAd : public platform::Dialog {
//    public:
//     TfrmAd() { Create(IDD_AD); }   // from the most-derived constructor
//    protected:
//     void OnInitDialog() override;  // controls exist, laid out, fonts set
//     void OnCommand(int id, int code, HWND control) override;  // -> btOkClick ...
//   };
//   frmAd.ShowModal();               // 1 (IDOK) ... whatever EndModal gave
//
// Layout. The coordinates in the template (the dialog's width and height and
// every control's x, y, width, height) are pixels of the client area at 96 dpi,
// not dialog units: the form descriptions are designed in pixels, and dialog
// units would tie the layout to the average character width of whichever face
// stands in for the dialog font. At WM_INITDIALOG, and again at WM_DPICHANGED,
// the base reads the template (platform/dialog_template), sets the client area
// and every control to those pixels × dpi / 96, and sets the fonts: the
// template's FONT (face via JapaneseFace, points at the window's dpi) on every
// control, except those given their own with SetControlFont. Every control
// needs an id of its own (no IDC_STATIC), because controls are found by id.
// The layout lives in dialog_layout_win.cpp.
//
// Modal showing. ShowModal disables the program's other visible top-level
// windows (platform/disabled_windows), centres and shows the dialog, runs the
// nested message loop (platform/modal_loop) until EndModal, then re-enables
// them, hides the dialog and gives the activation back. A WM_QUIT during the
// loop ends it with IDCANCEL and is posted again for the outer loop.
//
// Messages. One thunk binds the object at WM_INITDIALOG and routes every
// message, through Window's guarded dispatch, to the virtual HandleMessage,
// whose normal handling calls the cracked handlers below. IDOK and IDCANCEL
// commands that no control sent (Enter and Esc through IsDialogMessage) are
// dropped: the forms have no default or cancel button.
//
// Close box (WM_CLOSE): while modal, EndModal(IDCANCEL); the main form asks the
// application to terminate; any other dialog hides.
//
// The dialog registers itself with the Application as a dialog (isDialog), so
// the application's loop gives it keyboard navigation while it is modeless.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/dialog_template.h"
#include "platform/handles_win.h"
#include "platform/window_win.h"

namespace platform {

// A control's own font: face (resolved through JapaneseFace), the height in
// pixels at 96 dpi, the weight.
struct ControlFont {
  std::wstring face;
  int pixelHeight96 = 12;
  int weight = FW_NORMAL;
};

class Dialog : public Window {
 public:
  HWND Item(int id) const { return ::GetDlgItem(Handle(), id); }
  // The window's dpi and a length of the 96-dpi layout at that dpi.
  UINT Dpi() const { return dpi_; }
  int Scale(int pixels96) const { return ::MulDiv(pixels96, int(dpi_), 96); }

  int ShowModal();
  void EndModal(int result);
  bool Modal() const { return modal_; }

  std::wstring ItemText(int id) const;
  void SetItemText(int id, std::wstring_view text);
  bool Checked(int id) const;
  void SetChecked(int id, bool checked);

 protected:
  Dialog() = default;
  // Creates the hidden modeless dialog, owned by the application window.
  void Create(int templateId);

  // Cracked handlers, called by the normal handling of HandleMessage.
  virtual void OnInitDialog() {}
  // After every layout (at creation and after a dpi change), for what the
  // form scales itself.
  virtual void OnLayout() {}
  // The dialog is being shown (ShowWindow), already centred.
  virtual void OnShow() {}
  // Before the dialog's normal painting.
  virtual void OnPaint() {}
  virtual void OnCommand(int /*id*/, int /*code*/, HWND /*control*/) {}
  virtual void OnClose();

  // The message map. Return what the dialog procedure returns (TRUE when
  // handled; a brush for WM_CTLCOLOR*); call Dialog::HandleMessage for the
  // normal handling.
  virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // Gives a control its own font, now and after every dpi change.
  void SetControlFont(int id, ControlFont font);
  // Makes a label size itself to its text (one line), now and after every
  // layout: the design sizes fit the design face, a stand-in face may be
  // wider.
  void SetAutoSize(int id);

 private:
  struct FormDescription {
    int clientWidth = 0, clientHeight = 0;
    ControlFont font;
    BYTE charSet = DEFAULT_CHARSET;
    std::vector<DialogItemBounds> items;
  };
  struct OwnFont {
    int id;
    ControlFont font;
    UniqueFont handle;
  };

  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void CenterOnScreen();
  // The layout, in dialog_layout_win.cpp.
  static FormDescription ReadFormDescription(HINSTANCE instance, int templateId);
  void LayOutFirstTime();
  void ApplyLayout(UINT dpi);
  UniqueFont MakeFont(const ControlFont& font) const;
  void OnDpiChanged(UINT dpi, const RECT& suggested);

  UINT dpi_ = 96;
  FormDescription description_;
  UniqueFont formFont_;
  std::vector<OwnFont> ownFonts_;
  std::vector<int> autoSized_;
  bool modal_ = false;
  bool modalDone_ = false;
  int modalResult_ = 0;
};

}  // namespace platform
