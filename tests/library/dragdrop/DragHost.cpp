#include "DragHost.h"

namespace {

std::string NameOf(HTREEITEM hItem) {
    if (hItem == NULL)
        return "null";
    auto it = g_itemNames.find(hItem);
    return it != g_itemNames.end() ? it->second : "?";
}

std::string NameOfHandleText(const CString& strHandle) {
    for (const auto& [hItem, name] : g_itemNames)
        if (HandleText(hItem) == static_cast<LPCSTR>(strHandle))
            return name;
    return strHandle == "0" ? "null" : "?";
}

// The scroll messages a tree receives, noted as they arrive.
struct ScrollSpy {
    std::string name;
    WNDPROC proc;
};

std::map<HWND, ScrollSpy>& ScrollSpies() {
    static std::map<HWND, ScrollSpy> spies;
    return spies;
}

LRESULT CALLBACK ScrollSpyProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ScrollSpy spy = ScrollSpies()[hWnd];
    if (message == WM_VSCROLL)
        Note(spy.name + ":WM_VSCROLL " + (LOWORD(wParam) == SB_LINEDOWN ? "SB_LINEDOWN" : "SB_LINEUP"));
    else if (message == WM_HSCROLL)
        Note(spy.name + ":WM_HSCROLL " + (LOWORD(wParam) == SB_LINERIGHT ? "SB_LINERIGHT" : "SB_LINELEFT"));
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(spy.proc));
        ScrollSpies().erase(hWnd);
    }
    return ::CallWindowProcA(spy.proc, hWnd, message, wParam, lParam);
}

} // namespace

BEGIN_MESSAGE_MAP(CDragFrame, CWnd)
ON_NOTIFY_RANGE(TVN_BEGINDRAGA, kTreeA, kTreeC, &CDragFrame::OnBeginDrag)
ON_NOTIFY_RANGE(TVN_BEGINRDRAGA, kTreeA, kTreeC, &CDragFrame::OnBeginRDrag)
ON_NOTIFY_RANGE(TVN_GETDISPINFOA, kTreeA, kTreeC, &CDragFrame::OnGetDispInfo)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CForeignSource, CWnd)
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

bool CNamedListener::Took(const char* pszEvent, CCtrlBase* pCtrl) {
    m_arrLastArgs.Copy(pCtrl->m_arrArgs);
    std::string entry = m_strTree + ":" + pszEvent;
    const CStringArray& args = pCtrl->m_arrArgs;
    for (INT_PTR i = 0; i < args.GetSize(); ++i)
        entry += " " + (i < 2 ? std::string(args[i]) : NameOfHandleText(args[i]));
    Note(entry);
    return true;
}

void CDropRecorder::Wrap(CTreeCtrl& tree, const char* pszName) {
    m_pTree = &tree;
    m_strName = pszName;
    m_pInner = static_cast<IDropTarget*>(::GetPropA(tree.m_hWnd, "OleDropTargetInterface"));
    ASSERT_NE(m_pInner, nullptr) << pszName << " registered no drop target";
    ASSERT_EQ(::RevokeDragDrop(tree.m_hWnd), S_OK);
    ASSERT_EQ(::RegisterDragDrop(tree.m_hWnd, this), S_OK);
}

HRESULT CDropRecorder::QueryInterface(REFIID riid, void** ppvObject) {
    if (riid == IID_IUnknown || riid == IID_IDropTarget) {
        *ppvObject = static_cast<IDropTarget*>(this);
        return S_OK;
    }
    *ppvObject = nullptr;
    return E_NOINTERFACE;
}

// Notes "B:DragOver B.Kid" (or the client point, and " ctrl" with Control held); End adds the effect.
size_t CDropRecorder::Begin(const char* pszCall, DWORD grfKeyState, POINTL pt) {
    CPoint point(pt.x, pt.y);
    m_pTree->ScreenToClient(&point);
    HTREEITEM hItem = m_bPoints ? NULL : m_pTree->HitTest(point);
    std::string where =
        hItem != NULL ? NameOf(hItem) : "(" + std::to_string(point.x) + "," + std::to_string(point.y) + ")";
    Note(m_strName + ":" + pszCall + " " + where + ((grfKeyState & MK_CONTROL) ? " ctrl" : ""));
    return g_journal.size() - 1;
}

void CDropRecorder::End(size_t nEntry, const DWORD* pdwEffect) {
    g_journal[nEntry] += " =" + std::to_string(*pdwEffect);
}

HRESULT CDropRecorder::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
    size_t nEntry = Begin("DragEnter", grfKeyState, pt);
    HRESULT hr = m_pInner->DragEnter(pDataObj, grfKeyState, pt, pdwEffect);
    End(nEntry, pdwEffect);
    return hr;
}

HRESULT CDropRecorder::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
    size_t nEntry = Begin("DragOver", grfKeyState, pt);
    HRESULT hr = m_pInner->DragOver(grfKeyState, pt, pdwEffect);
    End(nEntry, pdwEffect);
    // The drag loop may also call while nothing moves (Wine polls every 50 ms): a call that repeats the one
    // just noted, with the same answer, is not noted again.
    if (nEntry > 0 && g_journal[nEntry] == g_journal[nEntry - 1])
        g_journal.pop_back();
    if (m_onDragOver)
        m_onDragOver();
    return hr;
}

HRESULT CDropRecorder::DragLeave() {
    Note(m_strName + ":DragLeave");
    return m_pInner->DragLeave();
}

HRESULT CDropRecorder::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) {
    size_t nEntry = Begin("Drop", grfKeyState, pt);
    HRESULT hr = m_pInner->Drop(pDataObj, grfKeyState, pt, pdwEffect);
    End(nEntry, pdwEffect);
    return hr;
}

Journal WithoutRepeatedRounds(const Journal& journal) {
    auto oleCall = [](const std::string& entry) {
        return entry.find(":Drag") != std::string::npos || entry.find(":Drop ") != std::string::npos;
    };
    Journal out, last;
    for (size_t k = 0; k < journal.size();) {
        size_t end = k + 1;
        while (end < journal.size() && !oleCall(journal[end]))
            ++end;
        Journal round(journal.begin() + static_cast<ptrdiff_t>(k),
                      journal.begin() + static_cast<ptrdiff_t>(end));
        bool over = journal[k].find(":DragOver ") != std::string::npos;
        if (!over || round != last)
            out.insert(out.end(), round.begin(), round.end());
        last = over ? round : Journal{};
        k = end;
    }
    return out;
}

void DragHostTest::SetUp() {
    emu::Reset();
    g_journal.clear();
    g_itemNames.clear();
    ASSERT_TRUE(
        m_frame.CreateEx(0, nullptr, "frame", WS_POPUP | WS_VISIBLE, 100, 100, 720, 420, nullptr, nullptr));
    m_app.m_pMainWnd = &m_frame;
    constexpr DWORD kStyle = WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;
    ASSERT_TRUE(m_treeA.Create(kStyle, CRect(10, 10, 210, 310), &m_frame, kTreeA));
    ASSERT_TRUE(m_treeB.Create(kStyle, CRect(250, 10, 450, 310), &m_frame, kTreeB));
    // The check tree is attached to an existing window, as a dialog's control is.
    HWND hCheck = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | kStyle, 490, 10, 200, 300, m_frame.m_hWnd,
                                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kTreeC)), nullptr, nullptr);
    ASSERT_TRUE(m_treeC.SubclassWindow(hCheck));

    // Eight plain images, so that the trees can make drag images.
    ASSERT_TRUE(m_images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 8, 0));
    m_images.SetImageCount(8);
    m_treeA.SetImageList(&m_images, TVSIL_NORMAL);
    m_treeB.SetImageList(&m_images, TVSIL_NORMAL);

    m_hARoot = Add(m_treeA, "A.Root", TVI_ROOT, 0, 1);
    m_hAOne = Add(m_treeA, "A.One", m_hARoot, 2, 7);
    m_hAGrand = Add(m_treeA, "A.Grand", m_hAOne, 4, 8);
    m_hATwo = Add(m_treeA, "A.Two", m_hARoot, 6, 12);
    m_hARoot2 = Add(m_treeA, "A.Root2", TVI_ROOT, 1, 20);
    m_treeA.Expand(m_hARoot, TVE_EXPAND);
    m_treeA.Expand(m_hAOne, TVE_EXPAND);
    m_hBRoot = Add(m_treeB, "B.Root", TVI_ROOT, 0, 100);
    m_hBKid = Add(m_treeB, "B.Kid", m_hBRoot, 2, 101);
    m_hBKid2 = Add(m_treeB, "B.Kid2", m_hBRoot, 5, 102);
    m_treeB.Expand(m_hBRoot, TVE_EXPAND);
    m_hCRoot = Add(m_treeC, "C.Root", TVI_ROOT, 0, 200);
    m_hCKid1 = Add(m_treeC, "C.Kid1", m_hCRoot, 0, 201);
    m_hCKid2 = Add(m_treeC, "C.Kid2", m_hCRoot, 0, 202);
    m_treeC.Expand(m_hCRoot, TVE_EXPAND);
    ASSERT_EQ(m_treeC.CheckItem(m_hCKid1, true), 1);

    m_treeA.SetListener(&m_listenerA);
    m_treeB.SetListener(&m_listenerB);
    m_treeC.SetListener(&m_listenerC);
    m_recorderA.Wrap(m_treeA, "A");
    m_recorderB.Wrap(m_treeB, "B");
    m_recorderC.Wrap(m_treeC, "C");
    for (auto [pTree, name] :
         {std::pair<CTreeCtrl*, const char*>{&m_treeA, "A"}, {&m_treeB, "B"}, {&m_treeC, "C"}}) {
        WNDPROC proc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(pTree->m_hWnd, GWLP_WNDPROC));
        ScrollSpies()[pTree->m_hWnd] = ScrollSpy{name, proc};
        ::SetWindowLongPtrA(pTree->m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ScrollSpyProc));
    }
    m_treeA.SetFocus();
    Pump();
    g_journal.clear();
}

void DragHostTest::TearDown() {
    m_app.m_pMainWnd = nullptr;
    emu::Reset();
    CWnd::DeleteTempMap();
}

HTREEITEM DragHostTest::Add(CTreeCtrl& tree, const char* pszName, HTREEITEM hParent, int nImage, long lID) {
    HTREEITEM hItem =
        static_cast<COrnTreeCtrl&>(tree).AddItem(hParent, pszName, TVI_LAST, nImage, nImage, lID);
    EXPECT_NE(hItem, nullptr) << pszName;
    g_itemNames[hItem] = pszName;
    return hItem;
}

CPoint DragHostTest::LabelPoint(CTreeCtrl& tree, HTREEITEM hItem) {
    CRect rect;
    EXPECT_TRUE(tree.GetItemRect(hItem, &rect, TRUE)) << NameOf(hItem);
    CPoint point = rect.CenterPoint();
    tree.ClientToScreen(&point);
    return point;
}

CPoint DragHostTest::ClientPoint(CTreeCtrl& tree, int x, int y) {
    CPoint point(x, y);
    tree.ClientToScreen(&point);
    return point;
}

void DragHostTest::Press(CTreeCtrl& tree, HTREEITEM hItem) {
    // Long enough after any earlier press not to make a double click.
    emu::Wait(::GetDoubleClickTime() + 10);
    CPoint point = LabelPoint(tree, hItem);
    emu::MouseMove(point.x, point.y);
    emu::MouseDown();
    emu::MouseMove(point.x + 5, point.y);
}

void DragHostTest::MoveTo(CTreeCtrl& tree, HTREEITEM hItem) {
    MoveTo(LabelPoint(tree, hItem));
}

void DragHostTest::MoveTo(CPoint point) {
    emu::MouseMove(point.x, point.y);
}

void DragHostTest::Release() {
    emu::MouseUp();
    Pump();
}

void DragHostTest::Cancel() {
    emu::PressKey(VK_ESCAPE);
    emu::MouseUp();
    Pump();
}

void DragHostTest::DragOnto(CTreeCtrl& source, HTREEITEM hItem, CTreeCtrl& target, HTREEITEM hTarget,
                            bool bCtrl) {
    Press(source, hItem);
    MoveTo(target, hTarget);
    if (bCtrl)
        emu::KeyDown(VK_CONTROL);
    Release();
    if (bCtrl) {
        emu::KeyUp(VK_CONTROL);
        Pump();
    }
}

void DragHostTest::ForeignDragOnto(CTreeCtrl& tree, HTREEITEM hItem) {
    ForeignDragOnto(LabelPoint(tree, hItem));
}

void DragHostTest::ForeignDragOnto(CPoint point) {
    if (m_foreign.m_hWnd == NULL) {
        ASSERT_TRUE(m_foreign.Create(nullptr, "foreign", WS_CHILD | WS_VISIBLE, CRect(10, 330, 210, 410),
                                     &m_frame, 9));
    }
    emu::Wait(::GetDoubleClickTime() + 10);
    emu::MouseMove(200, 470);
    emu::MouseDown();
    MoveTo(point);
    Release();
}

void DragHostTest::ExpectNoImageDrag() {
    emu::DragImageState state = emu::DragImage();
    EXPECT_FALSE(state.active);
    EXPECT_FALSE(state.shown);
    EXPECT_EQ(ImageList_GetDragImage(nullptr, nullptr), nullptr);
}

std::string DragHostTest::Highlight(CTreeCtrl& tree) {
    HTREEITEM hItem = tree.GetDropHilightItem();
    return hItem != NULL ? NameOf(hItem) : "none";
}
