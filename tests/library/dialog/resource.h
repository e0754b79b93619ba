// Resource IDs of the dialog tests' resource script.
#pragma once

#define IDD_TREES 100
#define IDD_UNKNOWN_CLASS 101
#define IDC_TREE 1000
#define IDC_PLAIN 1001
#define IDC_CHECKS 1002
#define IDC_NO_SUCH_CLASS 1003
#define IDR_TREE_MENU 200
#define IDR_KEYS 201
#define ID_ITEM_OPEN 40001
#define ID_ITEM_RENAME 40002
#define ID_KEY_DELETE 40003
#define ID_KEY_COPY 40004
