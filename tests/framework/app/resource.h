// Resource IDs of the wizard-shaped program.
#pragma once

#define IDD_ABOUTBOX 100
#define IDD_WIZARD_DIALOG 102
#define IDR_MAINFRAME 128
#define IDC_NAME 1000
#define IDM_ABOUTBOX 0x0010
