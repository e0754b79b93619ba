// The demo's host window: a dialog-like top-level window holding the three controls side by side, each a
// tree-view window the host creates and then attaches a control to, with realistic data and one listener.
#pragma once

#include <TalControl.h>

#include "DemoListener.h"
#include "EventLog.h"

#include <functional>
#include <string>

constexpr UINT kCatalogID = 101;
constexpr UINT kFilesID = 102;
constexpr UINT kOptionsID = 103;
constexpr UINT kContextMenuID = 200;
constexpr UINT kCmdOpen = 2001;
constexpr UINT kCmdProperties = 2002;

class CDemoWindow : public CWnd {
public:
    explicit CDemoWindow(EventLog& log) : m_log(log) {}

    COrnTreeCtrl* m_pCatalog = nullptr;
    COrnTreeCtrl* m_pOptions = nullptr;
    // Runs once when the window's next timer falls due; timers run inside the drag loop as well.
    std::function<void()> m_onTimer;

protected:
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnCatalogKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnItemClick(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMenuCommand(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    EventLog& m_log;
};

class CDemoHost {
public:
    explicit CDemoHost(EventLog& log);
    ~CDemoHost();

    // Creates the window and the controls and fills them; false when a window cannot be created.
    bool Open();

    // The item at a path such as "Catalog\\Lighting\\Desk lamp" of a tree; NULL when there is none.
    static HTREEITEM Find(COrnTreeCtrl& tree, const std::string& path);
    static std::string PathOf(COrnTreeCtrl& tree, HTREEITEM hItem);
    // "unchecked", "checked" or "partly checked", from the item's check image.
    static std::string CheckStateOf(COrnTreeCtrl& tree, HTREEITEM hItem);

    CWinApp m_app{"TalControl demo"};
    CDemoWindow m_window;
    COrnTreeCtrl m_catalog;
    COrnCheckTreeCtrl m_files;
    CTalCheckBoxTreeCtrl m_options;
    CDemoListener m_listener;

private:
    bool Attach(COrnTreeCtrl& tree, UINT nID, int x, DWORD dwExtraStyle);
    void FillCatalog();
    void FillFiles();
    void FillOptions();

    CImageList m_images;
};
