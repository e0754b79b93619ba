// The demo's dialog: the three controls of its template, subclassed by data exchange, filled with realistic
// data and reported to one listener. Once the dialog runs, it plays its script: the guided tour or a
// scenario, simulated input from inside the dialog's modal loop.
#pragma once

#include <TalControl.h>
#include <afxdialogex.h>

#include "DemoListener.h"
#include "EventLog.h"
#include "resource.h"

#include <functional>
#include <string>

class CDemoDlg : public CDialogEx {
public:
    explicit CDemoDlg(EventLog& log, CWnd* pParent = NULL);

    // The item at a path such as "Catalog\\Lighting\\Desk lamp" of a tree; NULL when there is none.
    static HTREEITEM Find(COrnTreeCtrl& tree, const std::string& path);
    static std::string PathOf(COrnTreeCtrl& tree, HTREEITEM hItem);
    // "unchecked", "checked" or "partly checked", from the item's check image.
    static std::string CheckStateOf(COrnTreeCtrl& tree, HTREEITEM hItem);

    // Runs once the dialog is shown, from a message the dialog posts itself; it ends the dialog.
    std::function<void(CDemoDlg&)> m_script;
    // Runs whenever the dialog's timer falls due, until it answers true; timers run inside the drag loop as
    // well.
    std::function<bool()> m_onTimer;

    COrnTreeCtrl m_catalog;
    COrnCheckTreeCtrl m_files;
    CTalCheckBoxTreeCtrl m_options;
    CDemoListener m_listener;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    afx_msg LRESULT OnRunScript(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnCatalogKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnItemClick(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMenuCommand(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    void FillCatalog();
    void FillFiles();
    void FillOptions();

    EventLog& m_log;
    CImageList m_images;
};
