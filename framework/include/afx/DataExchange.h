// Dialog data exchange: attaching control objects to the controls of a dialog, and moving values between
// member variables and controls in either direction.
#pragma once

#include "Wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    // The control's window, noted as the one that Fail gives the focus back to. Throws
    // CNotSupportedException when the dialog has no control with that ID.
    HWND PrepareCtrl(int nIDC);
    // The same for an edit control, whose text Fail also selects.
    HWND PrepareEditCtrl(int nIDC);
    // A value did not validate: the focus goes back to the control prepared last, and a CUserException
    // ends the exchange (UpdateData answers FALSE).
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

private:
    HWND m_hWndLastControl;
    BOOL m_bEditLastControl;
};

// Subclasses the dialog's control nIDC with rControl, on the first exchange only.
void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// The control's text. Saving an int that is not a number (after white space, an optional sign and decimal
// digits, and white space again) tells the user "Please enter an integer." and fails the exchange.
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
// A check box's or radio button's state: BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE.
void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
