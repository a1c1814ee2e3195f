#pragma once
// Ids of the dialog of hidden photos TfrmHidden (hidden.rc), opened from the
// picture-selection dialog's button "非表示の写真".

#define IDD_HIDDEN 600

#define IDC_HIDDEN_LBHIDDEN 6001
#define IDC_HIDDEN_BTRESTORE 6002
#define IDC_HIDDEN_BTCLOSE 6003
