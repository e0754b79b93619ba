#include "FuzzHost.h"

#include "TreeSoundness.h"

#include <emu/Emu.h>

#include <cstdio>
#include <cstdlib>

namespace {

CWinApp g_app("TalFuzz");

constexpr DWORD kTreeStyle = WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;

} // namespace

void Require(bool bCondition, const std::string& strWhat) {
    if (bCondition)
        return;
    std::fprintf(stderr, "broken: %s\n", strWhat.c_str());
    std::abort();
}

std::vector<HTREEITEM> ItemsOf(const CTreeCtrl& tree) {
    std::vector<HTREEITEM> items;
    std::vector<HTREEITEM> open{tree.GetRootItem()};
    while (!open.empty()) {
        HTREEITEM hItem = open.back();
        open.pop_back();
        if (hItem == NULL)
            continue;
        items.push_back(hItem);
        open.push_back(tree.GetNextSiblingItem(hItem));
        open.push_back(tree.GetChildItem(hItem));
    }
    return items;
}

BEGIN_MESSAGE_MAP(CFuzzFrame, CWnd)
ON_MESSAGE(WM_CHECKTREE_ITEMCLICK, &CFuzzFrame::OnItemClick)
END_MESSAGE_MAP()

LRESULT CFuzzFrame::OnItemClick(WPARAM wParam, LPARAM lParam) {
    Require(m_pNoticeTree != nullptr && IsItemOf(*m_pNoticeTree, reinterpret_cast<HTREEITEM>(wParam)),
            "the click notice names no item of the check-box tree");
    Require(lParam == 0, "the click notice carries a second value");
    ++m_nNotices;
    return 0;
}

// The general tree is created through the control; the check trees are attached to existing windows, as a
// dialog's controls are, which gives them their check images.
FuzzHost::FuzzHost() {
    emu::Reset();
    Require(m_frame.CreateEx(0, nullptr, "fuzz", WS_POPUP | WS_VISIBLE, 100, 100, 720, 420, nullptr, nullptr),
            "the frame was not created");
    g_app.m_pMainWnd = &m_frame;
    Require(m_tree.Create(kTreeStyle, CRect(10, 10, 210, 310), &m_frame, 1), "the tree was not created");
    for (auto [pTree, x, nID] : {std::tuple<CTreeCtrl*, int, UINT>{&m_check, 250, 2}, {&m_box, 490, 3}}) {
        HWND hWnd = ::CreateWindowExA(0, WC_TREEVIEWA, "", kTreeStyle, x, 10, 200, 300, m_frame.m_hWnd,
                                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), nullptr, nullptr);
        Require(hWnd != NULL && pTree->SubclassWindow(hWnd), "a check tree was not attached");
    }
    m_frame.m_pNoticeTree = &m_box;
}

FuzzHost::~FuzzHost() {
    g_app.m_pMainWnd = nullptr;
    emu::Reset();
    CWnd::DeleteTempMap();
}

COrnTreeCtrl& FuzzHost::Tree(int nTree) {
    if (nTree == 1)
        return m_check;
    if (nTree == 2)
        return m_box;
    return m_tree;
}

void FuzzHost::RequireSound() {
    for (int nTree = 0; nTree < kTrees; ++nTree) {
        COrnTreeCtrl& tree = Tree(nTree);
        if (tree.m_hWnd != NULL)
            Require(FindTreeFault(tree).empty(),
                    "tree " + std::to_string(nTree) + ": " + FindTreeFault(tree));
    }
}

void FuzzHost::Pump() {
    emu::PumpMessages(AfxPumpMessage);
}
