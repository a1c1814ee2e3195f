#pragma once
// Ids of the help dialog TfrmAd (form description "Ad", ad.rc).

#define IDD_AD 200

#define IDC_AD_MEMSREG 2001
#define IDC_AD_BTOK 2002

// The help text, one string per line: IDS_AD_LINE_FIRST + 0 is line 1.
// Empty lines have no string of their own.
#define IDS_AD_LINE_FIRST 2100
#define IDS_AD_LINE_COUNT 54
