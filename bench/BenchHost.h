// The library's tree as the benchmarks host it: a tree-view window attached by subclassing, as a dialog's
// control is, and the ID records of the shapes as the imports take them.
#pragma once

#include <TalControl.h>
#include <emu/Emu.h>

#include "IdRecords.h"

#include <climits>

// The protected operations that the imports' definitions are made of.
class CBenchTree : public COrnTreeCtrl {
public:
    using COrnTreeCtrl::CheckFz;
    using COrnTreeCtrl::Explode;
    using COrnTreeCtrl::ImpItem;
};

class CBenchListener : public CCtrlListener {
public:
    int OnEvent1(CCtrlBase*) override { return 0; }
    bool OnEvent2(CCtrlBase*) override { return true; }
    bool OnEndLabelEdit(CCtrlBase*) override { return true; }
    bool OnDropCopy(CCtrlBase*) override { return true; }
    bool OnDropMove(CCtrlBase*) override { return true; }
    bool OnEvent7(CCtrlBase*) override { return true; }
    bool OnEvent8(CCtrlBase*) override { return true; }
    bool OnSelChanged(CCtrlBase*) override { return true; }
};

// Items that the trees of this process have freed. The tree view reuses freed items in the order they were
// freed, so a tree filled after others lies scattered in memory and runs slower than in a fresh process.
inline long long g_nItemsFreed = 0;

inline void Empty(CTreeCtrl& tree) {
    g_nItemsFreed += tree.GetCount();
    tree.DeleteAllItems();
}

// A host window with a tree of the given control class attached to a tree-view window by subclassing, as a
// dialog's control is; the tree shows 400 by 400 pixels.
template <class TTree> struct Host {
    CWinApp app{"LibraryBench"};
    CWnd parent;
    TTree tree;
    CBenchListener listener;

    Host() {
        emu::Reset();
        parent.CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr);
        app.m_pMainWnd = &parent;
        ::InitCommonControls();
        HWND hwnd = ::CreateWindowExA(
            0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 0,
            0, 400, 400, parent.m_hWnd, reinterpret_cast<HMENU>(UINT_PTR{7}), nullptr, nullptr);
        tree.SubclassWindow(hwnd);
        tree.SetListener(&listener);
    }
    ~Host() {
        Empty(tree);
        app.m_pMainWnd = nullptr;
        CWnd::DeleteTempMap();
    }
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;
};

using Tree = Host<CBenchTree>;

// The n records of the shape as four strings each.
inline void MakeRecords(CStringArray& records, Shape shape, long n) {
    records.SetSize(4 * n);
    INT_PTR i = 0;
    ForEachRecord(shape, n, [&](const char* group, const char* parentID, const char* id, const char* text) {
        records[i++] = group;
        records[i++] = parentID;
        records[i++] = id;
        records[i++] = text;
    });
}
