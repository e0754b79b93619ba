// Resource IDs of the catalog program.
#pragma once

#define IDD_ABOUTBOX 100
#define IDD_CATALOG_DIALOG 102
#define IDR_TREE_MENU 130
#define IDR_ACCELERATORS 131
#define IDC_TREE 1000
#define IDC_SELECTION 1001
#define IDM_ABOUTBOX 0x0010
#define ID_ITEM_RENAME 32771
#define ID_ITEM_DELETE 32772
#define ID_ITEM_EXPANDALL 32773
