// Resource IDs of the demo, shared by its resource script and its code.
#pragma once

#define IDD_DEMO_DIALOG 100
#define IDC_CATALOG 101
#define IDC_FILES 102
#define IDC_OPTIONS 103
#define IDR_ITEM_MENU 200
#define ID_ITEM_OPEN 2001
#define ID_ITEM_PROPERTIES 2002
