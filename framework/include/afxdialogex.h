// The dialog of the framework's later dialog-based applications: the same dialog as CDialog here, since
// the visual styles of the framework's control bars are not offered.
#pragma once

#include "afxwin.h"

class CDialogEx : public CDialog {
    DECLARE_DYNAMIC(CDialogEx)
public:
    CDialogEx();
    explicit CDialogEx(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    explicit CDialogEx(LPCSTR lpszTemplateName, CWnd* pParentWnd = NULL);

    DECLARE_MESSAGE_MAP()
};
