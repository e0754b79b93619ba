// A host dialog from the resource script: the library's general tree (IDC_TREE), a plain tree view with
// only the framework's CTreeCtrl attached (IDC_PLAIN), the check-box tree (IDC_CHECKS), OK and Cancel. Like a
// frame window, the host translates its accelerators (Delete, Ctrl+C, F2) in PreTranslateMessage before the
// dialog manager's keys. F2 and the context menu's Rename edit the selected label of the tree with the
// focus. What the dialog, the listener and the host's commands see is noted in one journal, in order.
#pragma once

#include <TalControl.h>
#include <afxdialogex.h>
#include <emu/Emu.h>
#include <gtest/gtest.h>

#include "resource.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

using Journal = std::vector<std::string>;

inline Journal g_journal;

inline void Note(const std::string& entry) {
    g_journal.push_back(entry);
}

// Notes the events it hears with their arguments and agrees to every new label.
class CNotingListener : public CCtrlListener {
public:
    int OnEvent1(CCtrlBase*) override { return 0; }
    bool OnEvent2(CCtrlBase*) override { return false; }
    bool OnEndLabelEdit(CCtrlBase* pCtrl) override {
        Note("listener:OnEndLabelEdit(" + std::string(pCtrl->m_arrArgs[0]) + "|" +
             std::string(pCtrl->m_arrArgs[1]) + ")");
        return true;
    }
    bool OnDropCopy(CCtrlBase*) override { return false; }
    bool OnDropMove(CCtrlBase*) override { return false; }
    bool OnEvent7(CCtrlBase*) override { return false; }
    bool OnEvent8(CCtrlBase*) override { return false; }
    bool OnSelChanged(CCtrlBase*) override { return Note("listener:OnSelChanged"), false; }
};

class CTreesDlg : public CDialogEx {
public:
    CTreesDlg() : CDialogEx(IDD_TREES) {}

    COrnTreeCtrl m_tree;
    CTreeCtrl m_plain;
    CTalCheckBoxTreeCtrl m_checks;
    CNotingListener m_listener;
    // The first item of each tree, its child, and the check tree's items.
    HTREEITEM m_hTreeRoot = nullptr, m_hTreeChild = nullptr;
    HTREEITEM m_hPlainRoot = nullptr, m_hPlainChild = nullptr;
    HTREEITEM m_hBoxRoot = nullptr, m_hBoxChild = nullptr;
    // Edits that ended without a text: the library's tree's, then the plain one's. A tree view may report a
    // second, cancelled end of an edit whose notification changes the tree's style (Wine's does; the library
    // switches editing off there), so these are counted apart from the journal.
    int m_nCancelledEdits[2] = {0, 0};
    // Inside DoModal, each time the dialog's loop goes idle with no input left, the next step runs; the
    // dialog ends with kOutOfSteps when none is left, so that a run never waits for a user.
    std::deque<std::function<void()>> m_steps;
    static constexpr int kOutOfSteps = 99;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnCommandID(UINT nID);
    afx_msg void OnRename();
    afx_msg void OnEndLabelEdit(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnItemClick(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    HACCEL m_hAccel = nullptr;
};

// An application whose main window the test's dialog is, common controls and OLE initialised as a host's
// InitInstance does.
class DialogHostTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static void Pump() { emu::PumpMessages(AfxPumpMessage); }
    void PressKey(UINT vk) {
        emu::PressKey(vk);
        Pump();
    }
    // Ctrl held down while the key is pressed.
    void PressWithControl(UINT vk) {
        emu::KeyDown(VK_CONTROL);
        emu::PressKey(vk);
        emu::KeyUp(VK_CONTROL);
        Pump();
    }
    // The screen point at the middle of an item's label.
    static POINT LabelPoint(CTreeCtrl& tree, HTREEITEM hItem);
    void ClickLabel(CTreeCtrl& tree, HTREEITEM hItem, emu::Button button = emu::Button::Left);
    // The focused control's ID, 0 for none of the dialog's.
    int FocusID() const;
    // The text of the tree's label edit box; "" without one.
    static std::string EditText(CTreeCtrl& tree);

    CWinApp m_app{"DialogHost"};
};

// The test's dialog, created modeless from the script, shown, and the main window of the application.
class ModelessHostTest : public DialogHostTest {
protected:
    void SetUp() override;
    void TearDown() override;

    CTreesDlg m_dlg;
};
