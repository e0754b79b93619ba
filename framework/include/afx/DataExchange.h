// Dialog data exchange: attaching control objects to the controls of a dialog.
#pragma once

#include "Wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    // The control's window. Throws CNotSupportedException when the dialog has no control with that ID.
    HWND PrepareCtrl(int nIDC);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

// Subclasses the dialog's control nIDC with rControl, on the first exchange only.
void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
