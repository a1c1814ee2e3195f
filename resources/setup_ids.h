#pragma once
// Ids of the settings dialog TfrmSet (form description "Setup", setup.rc).
// Every control has an id of its own: the dialog base places controls by id.

#define IDD_SETUP 100

#define IDC_SETUP_BTCLOSE 1001
#define IDC_SETUP_BTFONT 1002
#define IDC_SETUP_MEEDIT 1003
#define IDC_SETUP_GBSND 1004
#define IDC_SETUP_RBBEEP 1005
#define IDC_SETUP_RBOK 1006
#define IDC_SETUP_RBNO 1007
#define IDC_SETUP_EDTIME 1008
#define IDC_SETUP_UDTIME 1009
#define IDC_SETUP_GBMODE 1010
#define IDC_SETUP_RBMOVE 1011
#define IDC_SETUP_RBSTOP 1012
#define IDC_SETUP_BTFOLDER 1013
#define IDC_SETUP_SBREADME 1014
#define IDC_SETUP_LBTIME 1015
#define IDC_SETUP_LBEDIT 1016
#define IDC_SETUP_VERSION 1017
#define IDC_SETUP_MECOM 1018
#define IDC_SETUP_BTEFFECTS 1019
