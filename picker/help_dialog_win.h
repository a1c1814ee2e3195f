#pragma once
// TfrmAd, the help dialog (form description "Ad"): a fixed, read-only text
// and an OK button. Created once and reused, so the text keeps its scroll
// position and selection from one opening to the next.
#include <windows.h>

#include <string>

#include "platform/dialog_win.h"

namespace picker {

class TfrmAd : public platform::Dialog {
 public:
  TfrmAd();

 protected:
  void OnInitDialog() override;
  void OnCommand(int id, int code, HWND control) override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The help text: the form's lines joined with CR LF, no break after the last.
std::wstring HelpText(HINSTANCE instance);

}  // namespace picker
