#include "picker/hidden_photos_dialog_win.h"

#include "resources/hidden_ids.h"

namespace picker {

TfrmHidden::TfrmHidden() { Create(IDD_HIDDEN); }

void TfrmHidden::OnInitDialog() {
  lbHidden_.Attach(Item(IDC_HIDDEN_LBHIDDEN));
  btRestore_.Attach(Item(IDC_HIDDEN_BTRESTORE));
  logic_.emplace(lbHidden_, btRestore_, registry_);
}

void TfrmHidden::OnShow() {
  if (logic_) logic_->FormShow();
}

void TfrmHidden::OnCommand(int id, int code, HWND) {
  if (!logic_) return;
  if (id == IDC_HIDDEN_LBHIDDEN && code == LBN_SELCHANGE) logic_->lbHiddenClick();
  if (id == IDC_HIDDEN_BTRESTORE && code == BN_CLICKED) logic_->btRestoreClick();
  if (id == IDC_HIDDEN_BTCLOSE && code == BN_CLICKED) EndModal(IDOK);
}

}  // namespace picker
