// Dialog boxes: created by the platform's dialog manager from a template (a resource, or one in memory) and
// run modally by the framework's own loop, or modelessly.
#pragma once

#include "Wnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    // For a modeless dialog made with Create or CreateIndirect, or a modal one with InitModalIndirect.
    CDialog();
    // A modal dialog of that template resource. Without a parent, DoModal takes the main window.
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    ~CDialog() override;

    // Modeless creation; the dialog shows itself when its template has WS_VISIBLE. FALSE when the dialog
    // manager cannot create it.
    virtual BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    // The same from a template in memory; lpDialogInit is not used (no dialog-init resources here).
    virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL,
                                void* lpDialogInit = NULL);
    virtual BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = NULL);
    // Names the template in memory that DoModal uses; the template must stay until then.
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL,
                           void* lpDialogInit = NULL);
    BOOL InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = NULL);

    // Creates the dialog from its template as a window owned by the parent, disables the parent and runs
    // RunModalLoop until EndDialog; then hides and destroys the dialog and enables the parent again.
    // Returns EndDialog's result, -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    // Ends a modal dialog with nResult once the current message has been handled (also from OnInitDialog,
    // before the dialog is shown); a modeless dialog is hidden.
    void EndDialog(int nResult);

    // WM_INITDIALOG: fills the controls (UpdateData(FALSE)). TRUE lets the dialog manager give the focus
    // to the first control; FALSE says the handler set it.
    virtual BOOL OnInitDialog();
    // Keyboard and mouse messages for the dialog and its controls go to IsDialogMessage.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Dialog units to pixels, by the dialog's font.
    void MapDialogRect(LPRECT lpRect) const;
    // Focus moves as the dialog manager moves it (WM_NEXTDLGCTL): to a control, or along the tab order.
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    // The default push button's ID; GetDefID answers MAKELONG(ID, DC_HASDEFID), or 0 with none.
    void SetDefID(UINT nID);
    DWORD GetDefID() const;

    LPCSTR m_lpszTemplateName;
    UINT m_nIDHelp;
    HGLOBAL m_hDialogTemplate;
    LPCDLGTEMPLATE m_lpDialogTemplate;
    void* m_lpDialogInit;
    CWnd* m_pParentWnd;

protected:
    // IDOK: saves and validates the data (UpdateData(TRUE)), then EndDialog(IDOK); the dialog stays when
    // validation fails. IDCANCEL: EndDialog(IDCANCEL).
    virtual void OnOK();
    virtual void OnCancel();

    // Creates the window from the template through the dialog manager, attached to this object from its
    // first message on.
    BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);
    // The parent (or owner) that DoModal gives the dialog.
    HWND PreModal();

    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // The template resource, its module, or a template in memory: NULL when there is none.
    LPCDLGTEMPLATE LoadTemplate(HINSTANCE& hInst) const;

    BOOL m_bModal;
};
