#include "settings/show_effects_dialog_win.h"

#include "resources/effects_ids.h"

namespace settings {

TfrmEffects::TfrmEffects() { Create(IDD_EFFECTS); }

void TfrmEffects::SetEffects(const EffectsDialogChoices& choices) {
  SetChecked(IDC_EFFECTS_CBFADE, choices.effects.fade);
  SetChecked(IDC_EFFECTS_CBPANZOOM, choices.effects.panZoom);
  SetChecked(IDC_EFFECTS_CBPAIRS, choices.effects.pairs);
  SetChecked(IDC_EFFECTS_CBBACKDROP, choices.effects.backdrop);
  SetChecked(IDC_EFFECTS_CBKEYS, choices.keys);
}

EffectsDialogChoices TfrmEffects::ChosenEffects() const {
  return {{Checked(IDC_EFFECTS_CBFADE), Checked(IDC_EFFECTS_CBPANZOOM), Checked(IDC_EFFECTS_CBPAIRS),
           Checked(IDC_EFFECTS_CBBACKDROP)},
          Checked(IDC_EFFECTS_CBKEYS)};
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
