// A host for the check trees: an application, a top-level parent window that handles the tree's
// notifications and the parent notice, and a listener. What the parent and the listener see is noted in one
// journal, in order; items are named so that journal entries and image summaries read as text.
#pragma once

#include <TalControl.h>
#include <emu/Emu.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

using Journal = std::vector<std::string>;

inline Journal g_journal;
// Names of the items of the tree under test, in the order they were inserted.
inline std::vector<std::pair<HTREEITEM, std::string>> g_items;

inline void Note(const std::string& entry) {
    g_journal.push_back(entry);
}

inline std::string NameOf(HTREEITEM hItem) {
    if (hItem == NULL)
        return "null";
    for (const auto& [h, name] : g_items)
        if (h == hItem)
            return name;
    return "?";
}

constexpr UINT kTreeID = 5;
constexpr UINT kMenuID = 300;

// The tree's parent. Notes every notification that reaches its own handlers and the parent notice; a test
// may give the notice handler more to do.
class CCheckParent : public CWnd {
public:
    std::function<void(HTREEITEM)> m_onNotice;

protected:
    afx_msg void OnClickNotify(NMHDR*, LRESULT*) { Note("parent:CLICK"); }
    afx_msg void OnSelChanged(NMHDR*, LRESULT*) { Note("parent:SELCHANGED"); }
    afx_msg void OnBeginDrag(NMHDR*, LRESULT*) { Note("parent:BEGINDRAG"); }
    afx_msg void OnItemExpanded(NMHDR* pNMHDR, LRESULT*) {
        Note("parent:ITEMEXPANDED " + NameOf(reinterpret_cast<NMTREEVIEWA*>(pNMHDR)->itemNew.hItem));
    }
    afx_msg void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult) {
        LPCSTR pszText = reinterpret_cast<NMTVDISPINFOA*>(pNMHDR)->item.pszText;
        Note(std::string("parent:ENDLABELEDIT ") + (pszText ? pszText : "null"));
        // The parent refuses every edited text.
        *pResult = FALSE;
    }
    afx_msg LRESULT OnItemClick(WPARAM wParam, LPARAM lParam) {
        HTREEITEM hItem = reinterpret_cast<HTREEITEM>(wParam);
        Note("parent:notice " + NameOf(hItem) + " " + std::to_string(lParam));
        if (m_onNotice)
            m_onNotice(hItem);
        return 0;
    }
    afx_msg void OnCommandID(UINT nID) { Note("parent:command " + std::to_string(nID)); }
    DECLARE_MESSAGE_MAP()
};

// Notes every event with the control's argument count.
class CNotingListener : public CCtrlListener {
public:
    int OnEvent1(CCtrlBase*) override { return Took("OnEvent1"), 0; }
    bool OnEvent2(CCtrlBase*) override { return Took("OnEvent2"); }
    bool OnEndLabelEdit(CCtrlBase*) override { return Took("listener:OnEndLabelEdit"); }
    bool OnSelChanged(CCtrlBase*) override { return Took("listener:OnSelChanged"); }
    bool OnDropCopy(CCtrlBase*) override { return Took("listener:OnDropCopy"); }
    bool OnDropMove(CCtrlBase*) override { return Took("listener:OnDropMove"); }
    bool OnEvent7(CCtrlBase*) override { return Took("OnEvent7"); }
    bool OnEvent8(CCtrlBase*) override { return Took("OnEvent8"); }

private:
    static bool Took(const char* event) {
        Note(event);
        return true;
    }
};

// The parent is a popup at screen (100, 100); the tree sits at (10, 10) in it, visible, with buttons and
// lines. TTree is the control under test, attached to the tree's window by subclassing.
template <class TTree> class CheckHost : public testing::Test {
protected:
    static constexpr DWORD kTreeStyle = WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;

    void SetUp() override {
        emu::Reset();
        g_journal.clear();
        g_items.clear();
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 100, 100, 300, 300,
                                      nullptr, nullptr));
        m_app.m_pMainWnd = &m_parent;
        ASSERT_TRUE(m_tree.SubclassWindow(CreateTreeWindow()));
        m_tree.SetListener(&m_listener);
    }
    void TearDown() override {
        m_app.m_pMainWnd = nullptr;
        CWnd::DeleteTempMap();
    }

    // A tree-view window in the parent, as a dialog holds one before the host attaches a control to it.
    HWND CreateTreeWindow() {
        ::InitCommonControls();
        return ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | kTreeStyle, 10, 10, 200, 200, m_parent,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kTreeID)), nullptr, nullptr);
    }

    // Inserts a named item, showing image (and selected image) nImage.
    HTREEITEM Add(const char* name, HTREEITEM hParent = TVI_ROOT, int nImage = 0) {
        HTREEITEM hItem = m_tree.AddItem(hParent, name, TVI_LAST, nImage, nImage, 0);
        EXPECT_NE(hItem, nullptr);
        g_items.emplace_back(hItem, name);
        return hItem;
    }

    int ImageOf(HTREEITEM hItem) {
        int nImage = -1, nSelectedImage = -1;
        EXPECT_TRUE(m_tree.GetItemImage(hItem, nImage, nSelectedImage));
        EXPECT_EQ(nImage, nSelectedImage) << NameOf(hItem);
        return nImage;
    }

    // Every named item with its image, for example "R=4 A=4 a1=2 a2=0 B=0".
    std::string Images() {
        std::string text;
        for (const auto& [hItem, name] : g_items)
            text += (text.empty() ? "" : " ") + name + "=" + std::to_string(ImageOf(hItem));
        return text;
    }

    static void Pump() { emu::PumpMessages(AfxPumpMessage); }

    // Screen point of a client point of the tree.
    POINT Screen(int x, int y) {
        POINT point = {x, y};
        m_tree.ClientToScreen(&point);
        return point;
    }
    void ClickAt(int x, int y, emu::Button button = emu::Button::Left) {
        POINT point = Screen(x, y);
        emu::Click(point.x, point.y, button);
        Pump();
    }

    // Client points of an item's regions, from its label rectangle: the 16 pixels left of the label are the
    // check box, the indent step left of the box the button column.
    CRect LabelRect(HTREEITEM hItem) {
        CRect rect;
        EXPECT_TRUE(m_tree.GetItemRect(hItem, &rect, TRUE)) << NameOf(hItem);
        return rect;
    }
    CPoint LabelPoint(HTREEITEM hItem) { return LabelRect(hItem).CenterPoint(); }
    CPoint BoxPoint(HTREEITEM hItem) {
        CRect label = LabelRect(hItem);
        return CPoint(label.left - 8, label.CenterPoint().y);
    }
    CPoint ButtonPoint(HTREEITEM hItem) {
        CRect label = LabelRect(hItem);
        return CPoint(label.left - 16 - static_cast<int>(m_tree.GetIndent()) / 2, label.CenterPoint().y);
    }
    CPoint RightOfLabelPoint(HTREEITEM hItem) {
        CRect label = LabelRect(hItem);
        return CPoint(label.right + 10, label.CenterPoint().y);
    }
    CPoint IndentPoint(HTREEITEM hItem) { return CPoint(2, LabelRect(hItem).CenterPoint().y); }
    CPoint BelowLastPoint() {
        return CPoint(40, static_cast<int>(m_tree.GetCount()) * m_tree.GetItemHeight() + 5);
    }

    // Clicks at a client point after checking that the tree finds the expected region there.
    void ClickRegion(CPoint point, UINT nExpectedFlags) {
        UINT nFlags = 0;
        m_tree.HitTest(point, &nFlags);
        ASSERT_EQ(nFlags, nExpectedFlags) << "at " << point.x << "," << point.y;
        ClickAt(point.x, point.y);
    }

    CWinApp m_app{"CheckHost"};
    CCheckParent m_parent;
    TTree m_tree;
    CNotingListener m_listener;
};
