// The IDs of the test program's resources (Resources.rc), for the script and the tests alike.
#pragma once

#define IDR_MENU 100
#define IDB_COLOURS 200
#define IDR_KEYS 300
#define IDI_TARGET 400
#define IDC_CROSS_CURSOR 410
#define IDD_SAMPLE 500

#define IDS_ONE 1
#define IDS_FIFTEEN 15
#define IDS_SIXTEEN 16
#define IDS_SHARP_S 300
#define IDS_LONG 301

#define ID_ITEM_OPEN 1101
#define ID_ITEM_CHECKED 1102
#define ID_ITEM_GRAYED 1103
#define ID_ITEM_INNER 1104

#define ID_CTRL_N 1000
#define ID_SHIFT_N 1001
#define ID_F5 1002
#define ID_CTRL_SHIFT_N 1003
#define ID_ALT_X 1005
