#include "FuzzHost.h"

#include "TreeSoundness.h"

#include <emu/Emu.h>

#include <cstdio>
#include <cstdlib>

namespace {

CWinApp g_app("TalFuzz");

constexpr DWORD kTreeStyle = WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;

int ImagesOf(const CTreeCtrl& tree, int nList) {
    HIMAGELIST hList = reinterpret_cast<HIMAGELIST>(::SendMessageA(tree.m_hWnd, TVM_GETIMAGELIST, nList, 0));
    return hList == NULL ? -1 : ImageList_GetImageCount(hList);
}

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

FuzzHost& FuzzHost::Made() {
    // Never destroyed: at exit the emulation's own state may be gone before it.
    static FuzzHost& host = *new FuzzHost;
    return host;
}

FuzzHost::FuzzHost() {
    emu::Reset();
    Require(m_frame.CreateEx(0, nullptr, "fuzz", WS_POPUP | WS_VISIBLE, 100, 100, 720, 420, nullptr, nullptr),
            "the frame was not created");
    g_app.m_pMainWnd = &m_frame;
    for (int nTree = 0; nTree < kTrees; ++nTree)
        Make(nTree);
    m_frame.m_pNoticeTree = &m_box;
    Pump();
    m_made = Now();
}

// The general tree is created through the control; the check trees are attached to existing windows, as a
// dialog's controls are, which gives them their check images.
void FuzzHost::Make(int nTree) {
    if (nTree == 0) {
        Require(m_tree.Create(kTreeStyle, CRect(10, 10, 210, 310), &m_frame, 1), "the tree was not created");
        return;
    }
    HWND hWnd =
        ::CreateWindowExA(0, WC_TREEVIEWA, "", kTreeStyle, 10 + 240 * nTree, 10, 200, 300, m_frame.m_hWnd,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nTree + 1)), nullptr, nullptr);
    Require(hWnd != NULL && Tree(nTree).SubclassWindow(hWnd), "a check tree was not attached");
}

void FuzzHost::Renew() {
    Require(m_frame.m_hWnd != NULL, "the frame was destroyed");
    m_frame.m_nNotices = 0;
    for (int nTree = 0; nTree < kTrees; ++nTree) {
        COrnTreeCtrl& tree = Tree(nTree);
        tree.SetListener(NULL);
        if (tree.m_hWnd == NULL) {
            Make(nTree);
            continue;
        }
        if (tree.GetEditControl() != NULL)
            tree.SendMessage(TVM_ENDEDITLABELNOW, TRUE);
        tree.DeleteAllItems();
        tree.SetUnDragImages(CArray<int, const int&>());
        tree.SetUnDropImages(CArray<int, const int&>());
        const DWORD dwStyle = tree.GetStyle();
        tree.ModifyStyle(dwStyle & ~m_made.styles[nTree], m_made.styles[nTree] & ~dwStyle);
        if (nTree == 0)
            tree.SetImageList(NULL, TVSIL_NORMAL);
    }
    if (::GetCapture() != NULL)
        ::ReleaseCapture();
    ::SetFocus(m_made.nFocus < 0        ? NULL
               : m_made.nFocus < kTrees ? Tree(m_made.nFocus).m_hWnd
                                        : m_frame.m_hWnd);
    // The cursor goes back to where it starts, over no window, and time passes beyond every timer the
    // trees set and the double-click time.
    emu::MouseMove(0, 0);
    emu::Wait(::GetDoubleClickTime() + 1000);
    Pump();
    CWnd::DeleteTempMap();
    Require(Now() == m_made, "a renewed host differs from the one made");
    for (int nTree = 0; nTree < kTrees; ++nTree)
        Require(Tree(nTree).GetCount() == 0 && Tree(nTree).m_pListener == NULL,
                "a renewed tree is not empty");
}

FuzzHost::State FuzzHost::Now() {
    State state;
    HWND hFocus = ::GetFocus();
    state.nFocus = hFocus == m_frame.m_hWnd ? kTrees : -1;
    for (int nTree = 0; nTree < kTrees; ++nTree) {
        COrnTreeCtrl& tree = Tree(nTree);
        state.styles[nTree] = tree.GetStyle();
        state.normalImages[nTree] = ImagesOf(tree, TVSIL_NORMAL);
        state.stateImages[nTree] = ImagesOf(tree, TVSIL_STATE);
        if (hFocus != NULL && hFocus == tree.m_hWnd)
            state.nFocus = nTree;
    }
    return state;
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
        if (tree.m_hWnd == NULL)
            continue;
        const std::string strFault = FindTreeFault(tree);
        Require(strFault.empty(), "tree " + std::to_string(nTree) + ": " + strFault);
    }
}

void FuzzHost::Pump() {
    emu::PumpMessages(AfxPumpMessage);
}
