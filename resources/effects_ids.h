#pragma once
// Ids of the effects dialog (effects.rc), opened by the settings dialog's
// button "表示効果".

#define IDD_EFFECTS 400

#define IDC_EFFECTS_CBFADE 4001
#define IDC_EFFECTS_CBPANZOOM 4002
#define IDC_EFFECTS_BTOK 4003
#define IDC_EFFECTS_BTCANCEL 4004
#define IDC_EFFECTS_CBPAIRS 4005
#define IDC_EFFECTS_CBBACKDROP 4006
#define IDC_EFFECTS_CBKEYS 4007
