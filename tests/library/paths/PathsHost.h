// A host for the tree's item IDs, item paths and imports: an application, a top-level parent window that
// notes the tree's expand and selection notifications, the tree created through the control, and a
// listener. What the parent and the listener see is noted in one journal, in order. Trees are built from
// tables and read back whole as rows, so that a test compares a tree with a table.
#pragma once

#include <TalControl.h>
#include <emu/Emu.h>
#include <gtest/gtest.h>

#include "TreeViewLog.h"

#include <string>
#include <vector>

using Journal = std::vector<std::string>;

inline Journal g_journal;
// Names of the items a test built, for notifications and requests.
inline TreeViewLog g_names;

inline void Note(const std::string& entry) {
    g_journal.push_back(entry);
}

constexpr UINT kTreeID = 9;

// The protected operations, reached the way a class derived from the control reaches them.
class CPathsTree : public COrnTreeCtrl {
public:
    using COrnTreeCtrl::CheckFz;
    using COrnTreeCtrl::Explode;
    using COrnTreeCtrl::ImpItem;
};

// The tree's parent: notes the expand and selection notifications that reach it.
class CPathsParent : public CWnd {
protected:
    afx_msg void OnTreeNotify(NMHDR* pNMHDR, LRESULT*) { Note("parent:" + g_names.Describe(pNMHDR)); }
    DECLARE_MESSAGE_MAP()
};

class CNotingListener : public CCtrlListener {
public:
    int OnEvent1(CCtrlBase*) override { return Took("OnEvent1"), 0; }
    bool OnEvent2(CCtrlBase*) override { return Took("OnEvent2"); }
    bool OnEndLabelEdit(CCtrlBase*) override { return Took("OnEndLabelEdit"); }
    bool OnDropCopy(CCtrlBase*) override { return Took("OnDropCopy"); }
    bool OnDropMove(CCtrlBase*) override { return Took("OnDropMove"); }
    bool OnEvent7(CCtrlBase*) override { return Took("OnEvent7"); }
    bool OnEvent8(CCtrlBase*) override { return Took("OnEvent8"); }
    bool OnSelChanged(CCtrlBase* pCtrl) override {
        return Took(
            ("listener:OnSelChanged(" + std::to_string(pCtrl->m_arrArgs.GetSize()) + " args)").c_str());
    }

private:
    static bool Took(const char* event) {
        Note(event);
        return true;
    }
};

// One item of a tree as a table gives it: level below the top (0 for top-level items), text, image,
// selected image and item ID.
struct Row {
    int level;
    std::string text;
    int image;
    int selectedImage;
    LONG id;
};

// "    Child 2/3 #2": two blanks per level.
std::string Format(const Row& row);
std::vector<std::string> Format(const std::vector<Row>& rows);

// Every item of the tree in pre-order, with the handles in the same order.
std::vector<Row> ReadTree(const CTreeCtrl& tree, std::vector<HTREEITEM>* pHandles = nullptr);

// Records the requests a tree-view window receives while a call runs, described when they arrive:
// "EXPAND(A)", "SELECT(A)", "INSERT(root,0x23,'A',2/3,#0)", "SET(A,0x4,#1)", "DELETE(root)",
// "PARENT(A)", "GET(A,0x4)". Items are named by g_names, else by their text. A text given in refuseText
// makes the tree refuse inserting an item with that text.
class TreeRequests {
public:
    // messages: when not empty, only these messages are recorded (describing every request costs time).
    TreeRequests(HWND hwnd, std::string refuseText = {}, std::vector<UINT> messages = {});
    ~TreeRequests();
    TreeRequests(const TreeRequests&) = delete;
    TreeRequests& operator=(const TreeRequests&) = delete;

    // The recorded requests whose description starts with one of the prefixes.
    Journal Only(std::initializer_list<const char*> prefixes) const;
    Journal m_requests;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    std::string Describe(UINT msg, WPARAM wp, LPARAM lp) const;
    std::string Name(HTREEITEM hItem) const;

    static inline TreeRequests* s_pActive = nullptr;
    HWND m_hwnd;
    WNDPROC m_proc;
    std::string m_refuseText;
    std::vector<UINT> m_messages;
};

// The parent is a popup at screen (100, 100); the tree sits at (10, 10) in it, created through the
// control, visible, with buttons and lines, the listener set.
class PathsHost : public testing::Test {
protected:
    static constexpr DWORD kTreeStyle = WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;

    void SetUp() override;
    void TearDown() override;

    // Inserts items in order, each under the last item of the level above, with images 0, and names them by
    // their texts.
    struct Node {
        int level;
        const char* text;
        LONG id;
    };
    std::vector<HTREEITEM> Build(std::initializer_list<Node> nodes);

    bool IsExpanded(HTREEITEM hItem) const {
        return (m_tree.GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    }

    CWinApp m_app{"PathsHost"};
    CPathsParent m_parent;
    CPathsTree m_tree;
    CNotingListener m_listener;
};

std::vector<std::string> ToVector(const CStringArray& arr);
CStringArray* FillArray(CStringArray& arr, const std::vector<std::string>& strings);
