// The control's events: which listener operation each event operation reaches, what the listener finds in
// the argument list, and the results with and without a listener.
#include "TreeHost.h"

namespace {

CStringArray& Strings(CStringArray& arr, std::initializer_list<const char*> strings) {
    arr.RemoveAll();
    for (const char* str : strings)
        arr.Add(str);
    return arr;
}

using EventsTest = TreeHostTest;

TEST_F(EventsTest, EachEventReachesItsListenerOperationWithItsArguments) {
    CCtrlBase* pCtrl = &m_tree;
    CStringArray arr;
    m_listener.m_nEvent1Answer = 42;
    EXPECT_EQ(42, pCtrl->FireEvent1(&Strings(arr, {"1"})));
    EXPECT_FALSE(pCtrl->FireEvent2(&Strings(arr, {"2"})));
    EXPECT_FALSE(pCtrl->FireEndLabelEdit(&Strings(arr, {"3"})));
    EXPECT_FALSE(pCtrl->FireSelChanged(&Strings(arr, {"4"})));
    EXPECT_FALSE(pCtrl->FireDropCopy(&Strings(arr, {"5"})));
    EXPECT_FALSE(pCtrl->FireDropMove(&Strings(arr, {"6"})));
    EXPECT_FALSE(pCtrl->FireEvent7(&Strings(arr, {"7"})));
    EXPECT_FALSE(pCtrl->FireEvent8(&Strings(arr, {"8"})));
    EXPECT_EQ((Journal{"OnEvent1(1)", "OnEvent2(2)", "OnEndLabelEdit(3)", "OnSelChanged(4)", "OnDropCopy(5)",
                       "OnDropMove(6)", "OnEvent7(7)", "OnEvent8(8)"}),
              g_journal);
    EXPECT_EQ(&m_tree, dynamic_cast<COrnTreeCtrl*>(m_listener.m_pLastCtrl));
}

TEST_F(EventsTest, TheListenersAnswerIsTheResult) {
    CCtrlBase* pCtrl = &m_tree;
    m_listener.m_nEvent1Answer = -7;
    EXPECT_EQ(-7, pCtrl->FireEvent1(NULL));
    m_listener.m_nEvent1Answer = -1;
    EXPECT_EQ(-1, pCtrl->FireEvent1(NULL)) << "indistinguishable from a missing listener";
    m_listener.m_bAnswer = true;
    EXPECT_TRUE(pCtrl->FireEvent2(NULL));
    EXPECT_TRUE(pCtrl->FireEndLabelEdit(NULL));
    EXPECT_TRUE(pCtrl->FireSelChanged(NULL));
    EXPECT_TRUE(pCtrl->FireDropCopy(NULL));
    EXPECT_TRUE(pCtrl->FireDropMove(NULL));
    EXPECT_TRUE(pCtrl->FireEvent7(NULL));
    EXPECT_TRUE(pCtrl->FireEvent8(NULL));
}

TEST_F(EventsTest, WithoutAListenerNothingIsDeliveredAndTheLastArgumentsStay) {
    CCtrlBase* pCtrl = &m_tree;
    CStringArray arr;
    pCtrl->FireDropMove(&Strings(arr, {"kept", "too"}));
    g_journal.clear();

    pCtrl->SetListener(NULL);
    Strings(arr, {"lost"});
    EXPECT_EQ(-1, pCtrl->FireEvent1(&arr));
    EXPECT_FALSE(pCtrl->FireEvent2(&arr));
    EXPECT_FALSE(pCtrl->FireEndLabelEdit(&arr));
    EXPECT_FALSE(pCtrl->FireSelChanged(&arr));
    EXPECT_FALSE(pCtrl->FireDropCopy(&arr));
    EXPECT_FALSE(pCtrl->FireDropMove(&arr));
    EXPECT_FALSE(pCtrl->FireEvent7(&arr));
    EXPECT_FALSE(pCtrl->FireEvent8(&arr));
    EXPECT_TRUE(g_journal.empty());
    EXPECT_EQ("(kept|too)", ArgsOf(pCtrl));

    // The member and the setter are the same thing.
    pCtrl->m_pListener = &m_listener;
    pCtrl->FireEvent7(NULL);
    EXPECT_EQ(Journal{"OnEvent7()"}, g_journal);
}

TEST_F(EventsTest, EachDeliveredEventReplacesTheWholeList) {
    CCtrlBase* pCtrl = &m_tree;
    CStringArray arr;
    pCtrl->FireDropCopy(&Strings(arr, {"1", "2", "3", "4"}));
    pCtrl->FireEvent2(&Strings(arr, {"a", ""}));
    pCtrl->FireEvent8(NULL);
    pCtrl->FireEvent7(&Strings(arr, {}));
    EXPECT_EQ((Journal{"OnDropCopy(1|2|3|4)", "OnEvent2(a|)", "OnEvent8()", "OnEvent7()"}), g_journal);
    // The caller's array is only read.
    EXPECT_EQ(0, arr.GetSize());
}

TEST_F(EventsTest, PassingTheControlsOwnListDeliversItsStrings) {
    CCtrlBase* pCtrl = &m_tree;
    CStringArray arr;
    pCtrl->FireDropMove(&Strings(arr, {"10", "20", "-1", "0"}));
    pCtrl->FireDropCopy(&pCtrl->m_arrArgs);
    pCtrl->FireEvent1(&pCtrl->m_arrArgs);
    EXPECT_EQ((Journal{"OnDropMove(10|20|-1|0)", "OnDropCopy(10|20|-1|0)", "OnEvent1(10|20|-1|0)"}),
              g_journal);
}

// A class derived from the control may replace an event operation: the library raises its events through
// virtual dispatch.
TEST_F(EventsTest, TheLibraryRaisesEventsThroughVirtualDispatch) {
    class CFilteringTree : public COrnTreeCtrl {
    public:
        bool FireSelChanged(CStringArray* pArgs) override {
            Note("CFilteringTree::FireSelChanged");
            return COrnTreeCtrl::FireSelChanged(pArgs);
        }
    } tree;
    ASSERT_TRUE(tree.Create(kTreeStyle, CRect(0, 0, 100, 100), &m_frame, kTreeID + 1));
    tree.SetListener(&m_listener);
    HTREEITEM hItem = tree.AddItem(TVI_ROOT, "a", TVI_LAST, 0, 0, 1);
    tree.SelectItem(hItem);
    EXPECT_EQ((Journal{"CFilteringTree::FireSelChanged", "OnSelChanged()"}), g_journal);
}

// Item IDs and handles are written as signed 32-bit decimals on every platform.
TEST_F(EventsTest, ItemIDsAndHandlesAreSigned32BitDecimals) {
    m_tree.ModifyStyle(0, TVS_EDITLABELS);
    struct Case {
        long lID;
        const char* pszID;
    };
    const Case cases[] = {{17, "17"},
                          {-5, "-5"},
                          {0x7FFFFFFF, "2147483647"},
                          {-0x7FFFFFFF - 1, "-2147483648"},
                          // Only the low 32 bits of a wider long are kept.
                          {static_cast<long>(0x1FFFFFFFFLL), "-1"}};
    for (const Case& c : cases) {
        HTREEITEM hItem = m_tree.AddItem(TVI_ROOT, "item", TVI_LAST, 0, 0, c.lID);
        ASSERT_NE(nullptr, hItem);
        EXPECT_EQ(static_cast<LONG>(c.lID), static_cast<LONG>(m_tree.GetItemData(hItem)));
        EXPECT_EQ(static_cast<DWORD_PTR>(static_cast<LPARAM>(static_cast<LONG>(c.lID))),
                  m_tree.GetItemData(hItem))
            << "stored as a 32-bit value";

        g_journal.clear();
        CEdit* pEdit = m_tree.EditLabel(hItem);
        ASSERT_NE(nullptr, pEdit);
        pEdit->SetWindowText("x");
        m_tree.EndEditLabelNow(FALSE);
        auto handle = static_cast<int32_t>(reinterpret_cast<uintptr_t>(hItem));
        EXPECT_EQ("OnEndLabelEdit(" + std::string(c.pszID) + "|x|" + std::to_string(handle) + ")",
                  g_journal.at(0));
        m_tree.ModifyStyle(0, TVS_EDITLABELS);
    }
}

// Deleting the control through its CCtrlBase part runs the whole destructor: the window, its drop-target
// registration and the image list go, and the listener stays the host's.
TEST_F(EventsTest, DeletingThroughTheBaseFreesTheWholeControl) {
    class CCountingTree : public COrnTreeCtrl {
    public:
        explicit CCountingTree(int& nDestroyed) : m_nDestroyed(nDestroyed) {}
        ~CCountingTree() override { ++m_nDestroyed; }
        void TakeImageList(CImageList* pImageList) { m_pImageList = pImageList; }

    private:
        int& m_nDestroyed;
    };
    int nDestroyed = 0;
    auto* pTree = new CCountingTree(nDestroyed);
    ASSERT_TRUE(pTree->Create(kTreeStyle, CRect(0, 0, 100, 100), &m_frame, kTreeID + 1));
    HWND hWnd = pTree->m_hWnd;
    EXPECT_NE(nullptr, GetPropA(hWnd, "OleDropTargetInterface"));
    auto* pImageList = new CImageList;
    ASSERT_TRUE(pImageList->Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 2));
    HIMAGELIST hImageList = pImageList->GetSafeHandle();
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(hImageList, &cx, &cy));
    pTree->TakeImageList(pImageList);
    pTree->SetListener(&m_listener);
    CStringArray arr;
    arr.Add("before");
    pTree->FireEvent2(&arr);

    CCtrlBase* pBase = pTree;
    delete pBase;
    EXPECT_EQ(1, nDestroyed);
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_FALSE(ImageList_GetIconSize(hImageList, &cx, &cy)) << "the image list was destroyed";
    EXPECT_EQ(0, m_listener.OnEvent1(&m_tree)) << "the listener is alive";
}

} // namespace
