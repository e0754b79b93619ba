// The main dialog: the catalog in the library's tree, filled from ID records; the selected item's path below
// it; F2 or the context menu's Rename edits a label, which the dialog accepts unless it is empty or would
// split the item's path; Delete removes the selected item. The dialog translates its accelerators before
// the dialog manager sees the keys, as a frame window does.
#pragma once

class CSelfTest;

class CCatalogDlg : public CDialogEx, public CCtrlListener {
public:
    explicit CCatalogDlg(CWnd* pParent = nullptr);

#ifdef AFX_DESIGN_TIME
    enum { IDD = IDD_CATALOG_DIALOG };
#endif

    // The path of the item selected when OK was pressed.
    CString m_strSelection;
    // The program's check of itself, when it runs one.
    CSelfTest* m_pSelfTest = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    HICON m_hIcon;
    HACCEL m_hAccel = nullptr;
    COrnTreeCtrl m_tree;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnOK() override;
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnTvnSelchangedTree(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemRename();
    afx_msg void OnItemDelete();
    afx_msg void OnItemExpandAll();
    afx_msg LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // The tree's listener.
    int OnEvent1(CCtrlBase* pCtrl) override;
    bool OnEvent2(CCtrlBase* pCtrl) override;
    bool OnEndLabelEdit(CCtrlBase* pCtrl) override;
    bool OnDropCopy(CCtrlBase* pCtrl) override;
    bool OnDropMove(CCtrlBase* pCtrl) override;
    bool OnEvent7(CCtrlBase* pCtrl) override;
    bool OnEvent8(CCtrlBase* pCtrl) override;
    bool OnSelChanged(CCtrlBase* pCtrl) override;

    friend class CSelfTest;
};
