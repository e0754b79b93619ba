// The main dialog, as the wizard shapes it: its icon, the About item in its window menu, the minimized
// painting and the drag icon; plus a name field and a test driver that plays the user.
#pragma once

class CWizardDlg : public CDialogEx {
public:
    explicit CWizardDlg(CWnd* pParent = nullptr);

#ifdef AFX_DESIGN_TIME
    enum { IDD = IDD_WIZARD_DIALOG };
#endif

    CString m_strName;
    bool m_bAboutShown = false;
    bool m_bAboutItemAdded = false;
    HICON m_hIconShown = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    HICON m_hIcon;

    BOOL OnInitDialog() override;
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    // The test's user: opens the About box when the dialog first goes idle, closes it, then types a name and
    // presses Enter.
    afx_msg LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnEnterIdle(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    int m_nStage = 0;
};
