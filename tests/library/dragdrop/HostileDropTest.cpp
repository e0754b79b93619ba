// Hosts that change or destroy the trees from inside the events of a drag, drags that no tree of the library
// began, and a check tree made draggable: the trees stay sound, the drag ends cleanly and the next drag
// works as ever.
#include "ActingListener.h"
#include "DragHost.h"
#include "TreeSoundness.h"

#include <memory>

namespace {

// Notes each event as CNamedListener does, then carries out the test's action once, inside a drop event,
// or inside a selection change when m_bOnSelection says so.
class CActingListener : public CActing<CNamedListener> {
public:
    using CActing::CActing;
    bool m_bOnSelection = false;

    bool OnDropCopy(CCtrlBase* pCtrl) override { return Act(CNamedListener::OnDropCopy(pCtrl)); }
    bool OnDropMove(CCtrlBase* pCtrl) override { return Act(CNamedListener::OnDropMove(pCtrl)); }
    bool OnSelChanged(CCtrlBase* pCtrl) override {
        bool bAnswer = CNamedListener::OnSelChanged(pCtrl);
        return m_bOnSelection ? Act(bAnswer) : bAnswer;
    }
};

class HostileDrops : public DragHostTest {
protected:
    void SetUp() override {
        DragHostTest::SetUp();
        m_treeA.SetListener(&m_actorA);
        m_treeB.SetListener(&m_actorB);
        m_treeC.SetListener(&m_actorC);
    }
    void ExpectSound() {
        for (CTreeCtrl* pTree : {static_cast<CTreeCtrl*>(&m_treeA), static_cast<CTreeCtrl*>(&m_treeB),
                                 static_cast<CTreeCtrl*>(&m_treeC)})
            if (pTree->m_hWnd != NULL) {
                EXPECT_EQ(FindTreeFault(*pTree), "") << pTree->GetDlgCtrlID();
            }
        ExpectNoImageDrag();
    }
    CActingListener m_actorA{"A"};
    CActingListener m_actorB{"B"};
    CActingListener m_actorC{"C"};
};

TEST_F(HostileDrops, TheListenerDeletesTheDraggedItemInsideTheDrop) {
    m_actorA.m_act = [this] { EXPECT_TRUE(m_treeA.DeleteItem(m_hAGrand)); };
    DragOnto(m_treeA, m_hAGrand, m_treeA, m_hATwo);
    ASSERT_GE(g_journal.size(), 2u);
    EXPECT_EQ(g_journal[g_journal.size() - 2], "A:OnDropMove 8 12 A.Grand A.Two");
    EXPECT_EQ(g_journal.back(), "A:OnSelChanged") << "the deleted item was selected";
    EXPECT_FALSE(IsItemOf(m_treeA, m_hAGrand));
    EXPECT_EQ(Highlight(m_treeA), "none");
    ExpectSound();

    g_journal.clear();
    DragOnto(m_treeA, m_hATwo, m_treeA, m_hAOne);
    EXPECT_EQ(g_journal.back(), "A:OnDropMove 12 7 A.Two A.One");
}

TEST_F(HostileDrops, TheListenerDeletesTheTargetItemInsideTheDrop) {
    m_actorB.m_act = [this] { EXPECT_TRUE(m_treeB.DeleteItem(m_hBKid)); };
    DragOnto(m_treeA, m_hAOne, m_treeB, m_hBKid, true);
    EXPECT_EQ(g_journal.back(), "B:OnDropCopy 7 101 A.One B.Kid");
    EXPECT_EQ(Highlight(m_treeB), "none") << "the highlighted item is gone";
    ExpectSound();

    g_journal.clear();
    DragOnto(m_treeA, m_hAOne, m_treeB, m_hBKid2);
    EXPECT_EQ(g_journal.back(), "B:OnDropMove 7 102 A.One B.Kid2");
}

TEST_F(HostileDrops, TheListenerEmptiesBothTreesInsideTheDrop) {
    m_actorB.m_act = [this] {
        EXPECT_TRUE(m_treeA.DeleteAllItems());
        EXPECT_TRUE(m_treeB.DeleteAllItems());
    };
    DragOnto(m_treeA, m_hAOne, m_treeB, m_hBKid);
    EXPECT_EQ(g_journal.back(), "B:OnDropMove 7 101 A.One B.Kid");
    EXPECT_EQ(m_treeA.GetCount(), 0u);
    EXPECT_EQ(m_treeB.GetCount(), 0u);
    ExpectSound();

    // The trees fill again and drag as before.
    HTREEITEM hRoot = Add(m_treeA, "A.New", TVI_ROOT, 0, 30);
    HTREEITEM hKid = Add(m_treeA, "A.NewKid", hRoot, 0, 31);
    HTREEITEM hKid2 = Add(m_treeA, "A.NewKid2", hRoot, 0, 32);
    m_treeA.Expand(hRoot, TVE_EXPAND);
    g_journal.clear();
    DragOnto(m_treeA, hKid2, m_treeA, hKid);
    EXPECT_EQ(g_journal.back(), "A:OnDropMove 32 31 A.NewKid2 A.NewKid");
}

TEST_F(HostileDrops, TheListenerDeletesTheItemWhoseDragIsStarting) {
    // The drag start selects the item, and the listener hears of the selection first; the deletion moves
    // the selection on.
    m_actorA.m_bOnSelection = true;
    m_actorA.m_act = [this] { EXPECT_TRUE(m_treeA.DeleteItem(m_hAOne)); };
    Press(m_treeA, m_hAOne);
    MoveTo(m_treeA, m_hATwo);
    Release();
    EXPECT_EQ(g_journal, (Journal{"A:OnSelChanged", "A:OnSelChanged"})) << "no drag of an item that is gone";
    ExpectSound();
}

TEST_F(HostileDrops, TheListenerSelectsAnotherItemWhileTheDragStarts) {
    m_actorA.m_bOnSelection = true;
    m_actorA.m_act = [this] { m_treeA.SelectItem(m_hATwo); };
    Press(m_treeA, m_hAOne);
    MoveTo(m_treeB, m_hBKid);
    Release();
    for (const std::string& entry : g_journal)
        EXPECT_EQ(entry.find("OnDrop"), std::string::npos) << "A.Two was never dragged: " << entry;
    ExpectSound();
}

TEST_F(HostileDrops, TheReceivingTreesListenerDestroysTheSourceTreesWindow) {
    m_actorB.m_act = [this] { EXPECT_TRUE(m_treeA.DestroyWindow()); };
    DragOnto(m_treeA, m_hAOne, m_treeB, m_hBKid);
    EXPECT_EQ(g_journal.back(), "B:OnDropMove 7 101 A.One B.Kid");
    EXPECT_EQ(m_treeA.m_hWnd, nullptr);
    ExpectSound();

    g_journal.clear();
    DragOnto(m_treeB, m_hBKid2, m_treeB, m_hBKid);
    EXPECT_EQ(g_journal.back(), "B:OnDropMove 102 101 B.Kid2 B.Kid");
    ForeignDragOnto(m_treeB, m_hBKid);
    EXPECT_EQ(g_journal.back(), "foreign:0");
}

TEST_F(HostileDrops, TheReceivingTreesListenerDestroysItsOwnWindow) {
    m_actorB.m_act = [this] { EXPECT_TRUE(m_treeB.DestroyWindow()); };
    DragOnto(m_treeA, m_hAOne, m_treeB, m_hBKid);
    EXPECT_EQ(g_journal.back(), "B:OnDropMove 7 101 A.One B.Kid");
    EXPECT_EQ(m_treeB.m_hWnd, nullptr);
    ExpectSound();

    g_journal.clear();
    DragOnto(m_treeA, m_hAGrand, m_treeA, m_hATwo);
    EXPECT_EQ(g_journal.back(), "A:OnDropMove 8 12 A.Grand A.Two");
}

TEST_F(HostileDrops, ATreeGoneAfterBeingTheDragSourceIsNeverTakenForOne) {
    // A tree of the host's making, dragged from, destroyed during its drag and deleted afterwards; a tree
    // made next may take its place in memory.
    auto pTree = std::make_unique<CTestTree>();
    ASSERT_TRUE(
        pTree->Create(WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT, CRect(250, 320, 450, 410), &m_frame, 8));
    HTREEITEM hRoot = Add(*pTree, "D.Root", TVI_ROOT, 0, 40);
    HTREEITEM hKid = Add(*pTree, "D.Kid", hRoot, 0, 41);
    pTree->Expand(hRoot, TVE_EXPAND);
    DragOnto(*pTree, hKid, m_treeB, m_hBKid);
    EXPECT_EQ(g_journal.back(), "B:OnDropMove 41 101 D.Kid B.Kid");

    m_recorderB.m_onDragOver = [&] {
        if (pTree->m_hWnd != NULL)
            pTree->DestroyWindow();
    };
    DragOnto(*pTree, hKid, m_treeB, m_hBKid);
    EXPECT_EQ(g_journal.back(), "B:Drop B.Kid =0");
    m_recorderB.m_onDragOver = nullptr;
    pTree.reset();

    auto pNext = std::make_unique<CTestTree>();
    ASSERT_TRUE(pNext->Create(WS_VISIBLE, CRect(250, 320, 450, 410), &m_frame, 8));
    HTREEITEM hNext = Add(*pNext, "E.Root", TVI_ROOT, 0, 50);
    pNext->SelectItem(hNext);
    ForeignDragOnto(m_treeB, m_hBKid);
    EXPECT_EQ(g_journal.back(), "foreign:0");
    ExpectSound();
    EXPECT_EQ(FindTreeFault(*pNext), "");
}

TEST_F(HostileDrops, AnotherApplicationsDragIsRefusedByEveryKindOfTree) {
    CTalCheckBoxTreeCtrl treeD;
    HWND hD = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE, 250, 320, 200, 90, m_frame.m_hWnd,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(8)), nullptr, nullptr);
    ASSERT_TRUE(treeD.SubclassWindow(hD));
    CActingListener listenerD{"D"};
    treeD.SetListener(&listenerD);
    HTREEITEM hDRoot = Add(treeD, "D.Root", TVI_ROOT, 0, 60);
    HTREEITEM hDKid = Add(treeD, "D.Kid", hDRoot, 0, 61);
    treeD.Expand(hDRoot, TVE_EXPAND);

    for (auto [pTree, hItem] : {std::pair<CTreeCtrl*, HTREEITEM>{&m_treeA, m_hAOne},
                                {&m_treeB, m_hBKid},
                                {&m_treeC, m_hCKid2},
                                {&treeD, hDKid}}) {
        g_journal.clear();
        ForeignDragOnto(*pTree, hItem);
        ASSERT_FALSE(g_journal.empty());
        EXPECT_EQ(g_journal.back(), "foreign:0") << pTree->GetDlgCtrlID();
        for (const std::string& entry : g_journal)
            EXPECT_EQ(entry.find(":On"), std::string::npos) << entry;
        EXPECT_EQ(FindTreeFault(*pTree), "");
    }
    // A drop below the last item of a tree that nothing highlighted yet.
    g_journal.clear();
    ForeignDragOnto(ClientPoint(m_treeC, 100, 250));
    EXPECT_EQ(g_journal.back(), "foreign:0");
    int nImage = -1, nSelected = -1;
    ASSERT_TRUE(m_treeC.GetItemImage(m_hCKid1, nImage, nSelected));
    EXPECT_EQ(nImage, 2) << "the drops change no check state";
    ExpectSound();
}

TEST_F(HostileDrops, ACheckTreeMadeDraggableKeepsItsCheckImages) {
    HIMAGELIST hChecks = m_treeC.GetImageList(TVSIL_NORMAL)->GetSafeHandle();
    m_treeC.ModifyStyle(TVS_DISABLEDRAGDROP, 0);
    bool bImageDrag = false;
    m_recorderC.m_onDragOver = [&] { bImageDrag = emu::DragImage().active; };
    DragOnto(m_treeC, m_hCKid1, m_treeC, m_hCKid2);
    EXPECT_EQ(g_journal.back(), "C:OnDropMove 201 202 C.Kid1 C.Kid2");
    EXPECT_TRUE(bImageDrag) << "the drag still shows the item";
    DragOnto(m_treeC, m_hCKid2, m_treeA, m_hATwo, true);
    EXPECT_EQ(g_journal.back(), "A:OnDropCopy 202 12 C.Kid2 A.Two");
    Press(m_treeC, m_hCKid1);
    MoveTo(m_treeB, m_hBKid);
    Cancel();

    EXPECT_EQ(m_treeC.GetImageList(TVSIL_NORMAL)->GetSafeHandle(), hChecks);
    EXPECT_EQ(ImageList_GetImageCount(hChecks), 6);
    int nImage = -1, nSelected = -1;
    ASSERT_TRUE(m_treeC.GetItemImage(m_hCKid1, nImage, nSelected));
    EXPECT_EQ(nImage, 2) << "still checked";
    ASSERT_TRUE(m_treeC.GetItemImage(m_hCRoot, nImage, nSelected));
    EXPECT_EQ(nImage, 4) << "still partly checked";
    EXPECT_TRUE(m_treeC.ClickItem(m_hCKid2));
    ASSERT_TRUE(m_treeC.GetItemImage(m_hCRoot, nImage, nSelected));
    EXPECT_EQ(nImage, 2);
    ExpectSound();
}

TEST_F(HostileDrops, AnItemWithAMegabyteLabelDragsAndDrops) {
    const std::string big(1 << 20, 'w');
    HTREEITEM hBig = Add(m_treeA, big.c_str(), m_hARoot, 2, 70);
    // Pressed near the start of its label, which runs far beyond the tree's right edge.
    CRect rect;
    ASSERT_TRUE(m_treeA.GetItemRect(hBig, &rect, TRUE));
    CPoint point = ClientPoint(m_treeA, rect.left + 10, rect.CenterPoint().y);
    emu::Wait(::GetDoubleClickTime() + 10);
    emu::MouseMove(point.x, point.y);
    emu::MouseDown();
    emu::MouseMove(point.x + 5, point.y);
    MoveTo(m_treeB, m_hBKid);
    Release();
    ASSERT_FALSE(g_journal.empty());
    EXPECT_EQ(g_journal.back(), "B:OnDropMove 70 101 " + big + " B.Kid");
    ExpectSound();
}

} // namespace
