// A host for the library's tree: a top-level frame holding a child panel (as a dialog holds its controls),
// the tree inside the panel, an application whose main window is the frame, and a listener. Everything
// the host's objects see is noted in one journal, in order.
#pragma once

#include <TalControl.h>
#include <emu/Emu.h>
#include <gtest/gtest.h>

#include "MessageLog.h"

#include <string>
#include <vector>

using Journal = std::vector<std::string>;

inline Journal g_journal;

inline void Note(const std::string& entry) {
    g_journal.push_back(entry);
}

// "(a|b|c)" for the control's argument list.
inline std::string ArgsOf(const CCtrlBase* pCtrl) {
    std::string text = "(";
    for (INT_PTR i = 0; i < pCtrl->m_arrArgs.GetSize(); ++i)
        text += (i > 0 ? "|" : "") + std::string(pCtrl->m_arrArgs[i]);
    return text + ")";
}

// Notes each event with the arguments it found, and answers as the test says.
class CJournalListener : public CCtrlListener {
public:
    int m_nEvent1Answer = 0;
    bool m_bAnswer = false;
    CCtrlBase* m_pLastCtrl = nullptr;

    int OnEvent1(CCtrlBase* pCtrl) override { return Took("OnEvent1", pCtrl), m_nEvent1Answer; }
    bool OnEvent2(CCtrlBase* pCtrl) override { return Took("OnEvent2", pCtrl), m_bAnswer; }
    bool OnEndLabelEdit(CCtrlBase* pCtrl) override { return Took("OnEndLabelEdit", pCtrl), m_bAnswer; }
    bool OnDropCopy(CCtrlBase* pCtrl) override { return Took("OnDropCopy", pCtrl), m_bAnswer; }
    bool OnDropMove(CCtrlBase* pCtrl) override { return Took("OnDropMove", pCtrl), m_bAnswer; }
    bool OnEvent7(CCtrlBase* pCtrl) override { return Took("OnEvent7", pCtrl), m_bAnswer; }
    bool OnEvent8(CCtrlBase* pCtrl) override { return Took("OnEvent8", pCtrl), m_bAnswer; }
    bool OnSelChanged(CCtrlBase* pCtrl) override { return Took("OnSelChanged", pCtrl), m_bAnswer; }

private:
    void Took(const char* operation, CCtrlBase* pCtrl) {
        m_pLastCtrl = pCtrl;
        Note(operation + ArgsOf(pCtrl));
    }
};

constexpr UINT kTreeID = 7;
constexpr UINT kPanelID = 3;

// The tree's parent: notes the tree's notifications that reach it, with the result slot as it arrives.
class CHostPanel : public CWnd {
protected:
    afx_msg void OnSelChanged(NMHDR*, LRESULT* pResult) { Note("panel:SELCHANGED" + Result(pResult)); }
    afx_msg void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult) {
        LPCSTR pszText = reinterpret_cast<NMTVDISPINFOA*>(pNMHDR)->item.pszText;
        Note(std::string("panel:ENDLABELEDIT(") + (pszText ? pszText : "null") + ")" + Result(pResult));
    }
    afx_msg void OnBeginDrag(NMHDR*, LRESULT*) { Note("panel:BEGINDRAG"); }
    // F2 edits the selected label while the tree allows editing, as hosts make it do: the tree view itself
    // has no key for editing.
    afx_msg void OnKeyDown(NMHDR* pNMHDR, LRESULT*) {
        if (reinterpret_cast<NMTVKEYDOWN*>(pNMHDR)->wVKey != VK_F2)
            return;
        CTreeCtrl* pTree = static_cast<CTreeCtrl*>(CWnd::FromHandle(pNMHDR->hwndFrom));
        if (pTree->GetStyle() & TVS_EDITLABELS)
            pTree->EditLabel(pTree->GetSelectedItem());
    }
    afx_msg void OnCommandID(UINT nID) { Note("panel:command " + std::to_string(nID)); }
    DECLARE_MESSAGE_MAP()

private:
    static std::string Result(const LRESULT* pResult) { return " result " + std::to_string(*pResult); }
};

// The top-level window. Like a dialog, it takes Enter and Escape in its pre-translation; every key press
// it is offered is noted in m_keys.
class CHostFrame : public CWnd {
public:
    std::vector<UINT> m_keys;

    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message != WM_KEYDOWN)
            return FALSE;
        m_keys.push_back(static_cast<UINT>(pMsg->wParam));
        return pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE;
    }

protected:
    afx_msg void OnCommandID(UINT nID) { Note("frame:command " + std::to_string(nID)); }
    DECLARE_MESSAGE_MAP()
};

// The host: frame at screen (250, 150) and panel at (30, 40) in it, so that a tree at (20, 10) in the panel
// has its client area at screen point (300, 200).
class HostTest : public testing::Test {
protected:
    static constexpr DWORD kTreeStyle = WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;
    static inline const CRect kTreeRect{20, 10, 220, 170};

    void SetUp() override {
        emu::Reset();
        g_journal.clear();
        ASSERT_TRUE(m_frame.CreateEx(0, nullptr, "frame", WS_POPUP | WS_VISIBLE, 250, 150, 400, 300, nullptr,
                                     nullptr));
        ASSERT_TRUE(
            m_panel.Create(nullptr, "panel", WS_VISIBLE, CRect(30, 40, 330, 260), &m_frame, kPanelID));
        m_app.m_pMainWnd = &m_frame;
    }
    void TearDown() override {
        m_app.m_pMainWnd = nullptr;
        CWnd::DeleteTempMap();
    }

    // Runs the message loop through the framework's pump, so that pre-translation takes part.
    static void Pump() { emu::PumpMessages(AfxPumpMessage); }

    CWinApp m_app{"TreeHost"};
    CHostFrame m_frame;
    CHostPanel m_panel;
};

// The host with a tree created through the control in the panel, visible, with buttons and lines, and the
// listener set; label editing is off until a test enables it.
class TreeHostTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        ASSERT_TRUE(m_tree.Create(kTreeStyle, kTreeRect, &m_panel, kTreeID));
        m_tree.SetListener(&m_listener);
        m_tree.SetFocus();
    }

    // The screen point at the middle of an item's label.
    POINT LabelPoint(HTREEITEM hItem) {
        CRect rect;
        EXPECT_TRUE(m_tree.GetItemRect(hItem, &rect, TRUE));
        POINT point = {rect.CenterPoint().x, rect.CenterPoint().y};
        m_tree.ClientToScreen(&point);
        return point;
    }
    void ClickLabel(HTREEITEM hItem) {
        POINT point = LabelPoint(hItem);
        emu::Click(point.x, point.y);
        Pump();
    }
    void PressKey(UINT vk) {
        emu::PressKey(vk);
        Pump();
    }

    COrnTreeCtrl m_tree;
    CJournalListener m_listener;
};
