#include "settings/show_effects_dialog_win.h"

#include "resources/effects_ids.h"

namespace settings {

TfrmEffects::TfrmEffects() { Create(IDD_EFFECTS); }

void TfrmEffects::SetEffects(const ShowEffects& effects) {
  SetChecked(IDC_EFFECTS_CBFADE, effects.fade);
  SetChecked(IDC_EFFECTS_CBPANZOOM, effects.panZoom);
}

ShowEffects TfrmEffects::ChosenEffects() const {
  return {Checked(IDC_EFFECTS_CBFADE), Checked(IDC_EFFECTS_CBPANZOOM)};
}

ModalResult TfrmEffects::ShowModal() {
  return Dialog::ShowModal() == IDOK ? ModalResult::Ok : ModalResult::Cancel;
}

void TfrmEffects::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return;
  if (id == IDC_EFFECTS_BTOK) EndModal(IDOK);
  if (id == IDC_EFFECTS_BTCANCEL) EndModal(IDCANCEL);
}

}  // namespace settings
