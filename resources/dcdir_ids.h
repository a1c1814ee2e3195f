#pragma once
// Ids of the picture-selection dialog TfrmDir (form description "Dcdir",
// dcdir.rc), and the designed place of its image box, which the preview
// positions itself against.

#define IDD_DCDIR 300

#define IDC_DCDIR_DLBTHUMB 3001
#define IDC_DCDIR_BTOK 3002
#define IDC_DCDIR_BTCANCEL 3003
#define IDC_DCDIR_DCBXTHUMB 3004
#define IDC_DCDIR_LBSFILE 3005
#define IDC_DCDIR_LBDFILE 3006
#define IDC_DCDIR_BTTRK 3007
#define IDC_DCDIR_BTALLERASE 3008
#define IDC_DCDIR_BTERASE 3009
#define IDC_DCDIR_BTUP 3010
#define IDC_DCDIR_BTDOWN 3011
#define IDC_DCDIR_GBSELECT 3012
#define IDC_DCDIR_RBSELPHOTO 3013
#define IDC_DCDIR_RBSELFOLDER 3014
#define IDC_DCDIR_LBLFOLDER 3015
#define IDC_DCDIR_LBLDSP 3016
#define IDC_DCDIR_LBLFILECOUNT 3017
#define IDC_DCDIR_LBLCOUNT 3018
#define IDC_DCDIR_IMS 3019
#define IDC_DCDIR_LBLFILENAME 3020
#define IDC_DCDIR_LBLDATE 3031
#define IDC_DCDIR_CBDATE 3032

#define DCDIR_IMS_LEFT 12
#define DCDIR_IMS_TOP 289
