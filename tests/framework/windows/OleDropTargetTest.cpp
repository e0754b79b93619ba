// The framework's drop target: registration with OLE, and how OLE's calls reach the overridables.
#include "WindowsTest.h"

#include <afxole.h>

#include <functional>

namespace {

// A data object that only counts its references.
class CountedDataObject : public IDataObject {
public:
    ULONG m_nRefs = 1;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_nRefs; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_nRefs; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
};

std::string At(CPoint point) {
    return "(" + std::to_string(point.x) + "," + std::to_string(point.y) + ")";
}

class CRecordingDropTarget : public COleDropTarget {
public:
    DROPEFFECT m_scroll = DROPEFFECT_NONE;
    DROPEFFECT m_effect = DROPEFFECT_MOVE;
    DROPEFFECT m_dropEx = static_cast<DROPEFFECT>(-1);
    BOOL m_bAccept = TRUE;
    LPDATAOBJECT m_lpSeen = nullptr;

    DROPEFFECT OnDragScroll(CWnd*, DWORD, CPoint point) override {
        Note("OnDragScroll" + At(point));
        return m_scroll;
    }
    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD, CPoint point) override {
        Note("OnDragEnter" + At(point) + (pWnd->m_hWnd == m_hWnd ? "" : " wrong window"));
        m_lpSeen = pDataObject->m_lpDataObject;
        return m_effect;
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject* pDataObject, DWORD, CPoint point) override {
        Note("OnDragOver" + At(point));
        m_lpSeen = pDataObject->m_lpDataObject;
        return m_effect;
    }
    DROPEFFECT OnDropEx(CWnd*, COleDataObject*, DROPEFFECT dropDefault, DROPEFFECT dropList,
                        CPoint) override {
        Note("OnDropEx " + std::to_string(dropDefault) + " of " + std::to_string(dropList));
        return m_dropEx;
    }
    BOOL OnDrop(CWnd*, COleDataObject*, DROPEFFECT dropEffect, CPoint point) override {
        Note("OnDrop " + std::to_string(dropEffect) + At(point));
        return m_bAccept;
    }
    void OnDragLeave(CWnd*) override { Note("OnDragLeave"); }
};

class OleDropTargetTest : public WindowsTest {
protected:
    void SetUp() override {
        WindowsTest::SetUp();
        ASSERT_TRUE(
            m_wnd.CreateEx(0, nullptr, "target", WS_POPUP | WS_VISIBLE, 100, 50, 200, 200, nullptr, nullptr));
    }
    // Calls one IDropTarget method of m_target with the allowed effects; returns the effect it answered.
    DWORD Call(const std::function<HRESULT(IDropTarget*, DWORD*)>& call,
               DWORD dwAllowed = DROPEFFECT_COPY | DROPEFFECT_MOVE) {
        DWORD dwEffect = dwAllowed;
        EXPECT_EQ(S_OK, call(m_target.GetDropTarget(), &dwEffect));
        return dwEffect;
    }
    CWnd m_wnd;
    CRecordingDropTarget m_target;
    CountedDataObject m_data;
};

TEST_F(OleDropTargetTest, RegistrationNeedsOle) {
    EXPECT_FALSE(m_target.Register(&m_wnd));
    EXPECT_EQ(nullptr, m_target.m_hWnd);
    EXPECT_EQ(1, m_target.m_dwRef);

    // COM alone takes the lock, but the registration fails and the lock is undone.
    ASSERT_EQ(S_OK, CoInitialize(nullptr));
    EXPECT_FALSE(m_target.Register(&m_wnd));
    EXPECT_EQ(1, m_target.m_dwRef);

    emu::SetOleInitializeResult(E_OUTOFMEMORY);
    EXPECT_FALSE(AfxOleInit());
    emu::SetOleInitializeResult(S_OK);
    ASSERT_TRUE(AfxOleInit());
    EXPECT_TRUE(m_target.Register(&m_wnd));
    EXPECT_EQ(m_wnd.m_hWnd, m_target.m_hWnd);
    EXPECT_EQ(3, m_target.m_dwRef); // the object's own, the lock's and the registration's
    EXPECT_FALSE(m_target.Register(&m_wnd));

    CRecordingDropTarget second;
    EXPECT_FALSE(second.Register(&m_wnd));
    m_target.Revoke();
    EXPECT_EQ(1, m_target.m_dwRef);
    EXPECT_EQ(nullptr, m_target.m_hWnd);
    EXPECT_TRUE(second.Register(&m_wnd));
    EXPECT_FALSE(m_target.Register(nullptr));
}

TEST_F(OleDropTargetTest, TheRegistrationEndsWithTheWindowOrTheTarget) {
    ASSERT_TRUE(AfxOleInit());
    {
        CRecordingDropTarget scoped;
        ASSERT_TRUE(scoped.Register(&m_wnd));
    }
    ASSERT_TRUE(m_target.Register(&m_wnd));
    m_wnd.DestroyWindow();
    EXPECT_EQ(nullptr, m_target.m_hWnd);
    EXPECT_EQ(1, m_target.m_dwRef);
}

TEST_F(OleDropTargetTest, EnterAndOverAskForScrollingFirst) {
    ASSERT_TRUE(AfxOleInit());
    ASSERT_TRUE(m_target.Register(&m_wnd));
    auto enter = [this](IDropTarget* p, DWORD* pdw) {
        return p->DragEnter(&m_data, MK_LBUTTON, POINTL{110, 70}, pdw);
    };
    auto over = [](IDropTarget* p, DWORD* pdw) { return p->DragOver(MK_LBUTTON, POINTL{130, 90}, pdw); };
    auto leave = [](IDropTarget* p, DWORD*) { return p->DragLeave(); };

    EXPECT_EQ(DWORD{DROPEFFECT_MOVE}, Call(enter));
    EXPECT_EQ(2u, m_data.m_nRefs); // held until the drag leaves or drops
    EXPECT_EQ(DWORD{DROPEFFECT_MOVE}, Call(over));
    EXPECT_EQ(static_cast<LPDATAOBJECT>(&m_data), m_target.m_lpSeen);
    Call(leave);
    EXPECT_EQ(1u, m_data.m_nRefs);
    EXPECT_EQ((std::vector<std::string>{"OnDragScroll(10,20)", "OnDragEnter(10,20)", "OnDragScroll(30,40)",
                                        "OnDragOver(30,40)", "OnDragLeave"}),
              g_journal);

    // Scrolling replaces the move; a move the source does not allow becomes a copy, a link nothing.
    g_journal.clear();
    m_target.m_scroll = DROPEFFECT_SCROLL | DROPEFFECT_COPY;
    EXPECT_EQ(DWORD{DROPEFFECT_SCROLL | DROPEFFECT_COPY}, Call(over));
    m_target.m_scroll = DROPEFFECT_NONE;
    EXPECT_EQ(DWORD{DROPEFFECT_COPY}, Call(over, DROPEFFECT_COPY));
    m_target.m_effect = DROPEFFECT_LINK;
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, Call(over, DROPEFFECT_COPY | DROPEFFECT_MOVE));
    EXPECT_EQ((std::vector<std::string>{"OnDragScroll(30,40)", "OnDragScroll(30,40)", "OnDragOver(30,40)",
                                        "OnDragScroll(30,40)", "OnDragOver(30,40)"}),
              g_journal);
}

TEST_F(OleDropTargetTest, DropAsksForTheEffectAgainThenDrops) {
    ASSERT_TRUE(AfxOleInit());
    ASSERT_TRUE(m_target.Register(&m_wnd));
    auto drop = [this](IDropTarget* p, DWORD* pdw) {
        return p->Drop(&m_data, MK_LBUTTON, POINTL{105, 55}, pdw);
    };

    EXPECT_EQ(DWORD{DROPEFFECT_MOVE}, Call(drop));
    m_target.m_bAccept = FALSE;
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, Call(drop));
    m_target.m_effect = DROPEFFECT_NONE;
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, Call(drop));
    m_target.m_dropEx = DROPEFFECT_COPY;
    EXPECT_EQ(DWORD{DROPEFFECT_COPY}, Call(drop));
    EXPECT_EQ(
        (std::vector<std::string>{"OnDragOver(5,5)", "OnDropEx 2 of 3", "OnDrop 2(5,5)", "OnDragOver(5,5)",
                                  "OnDropEx 2 of 3", "OnDrop 2(5,5)", "OnDragOver(5,5)", "OnDropEx 0 of 3",
                                  "OnDragLeave", "OnDragOver(5,5)", "OnDropEx 0 of 3"}),
        g_journal);
    EXPECT_EQ(1u, m_data.m_nRefs);
}

TEST_F(OleDropTargetTest, TheDefaultsAcceptNothing) {
    ASSERT_TRUE(AfxOleInit());
    COleDropTarget target;
    ASSERT_TRUE(target.Register(&m_wnd));
    DWORD dwEffect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, target.GetDropTarget()->DragEnter(&m_data, 0, POINTL{110, 60}, &dwEffect));
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, dwEffect);
    dwEffect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, target.GetDropTarget()->Drop(&m_data, 0, POINTL{110, 60}, &dwEffect));
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, dwEffect);
    EXPECT_EQ(E_INVALIDARG, target.GetDropTarget()->DragOver(0, POINTL{110, 60}, nullptr));
}

} // namespace
