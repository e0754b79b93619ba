// Inserting, reading, writing, navigating and deleting items through raw tree-view messages.
#include "TreeFixture.h"

#include <set>

using Items = TreeFixture;

TEST_F(Items, InsertPositionsAndNavigation) {
    HTREEITEM b = Add("b");
    HTREEITEM a = Add("a", TVI_ROOT, TVI_FIRST);
    HTREEITEM d = Add("d", nullptr, TVI_ROOT); // TVI_ROOT as a position appends, as the real control does
    HTREEITEM c = Add("c", TVI_ROOT, b);
    HTREEITEM c1 = Add("c1", c);
    HTREEITEM c2 = Add("c2", c);
    EXPECT_EQ(Send(TVM_GETCOUNT), 6);

    EXPECT_EQ(Next(TVGN_ROOT), a);
    EXPECT_EQ(Next(TVGN_ROOT, d), a) << "TVGN_ROOT ignores the item";
    EXPECT_EQ(Next(TVGN_NEXT, a), b);
    EXPECT_EQ(Next(TVGN_NEXT, b), c);
    EXPECT_EQ(Next(TVGN_NEXT, c), d);
    EXPECT_EQ(Next(TVGN_NEXT, d), nullptr);
    EXPECT_EQ(Next(TVGN_PREVIOUS, a), nullptr);
    EXPECT_EQ(Next(TVGN_PREVIOUS, c2), c1);
    EXPECT_EQ(Next(TVGN_CHILD, c), c1);
    EXPECT_EQ(Next(TVGN_CHILD, c1), nullptr);
    EXPECT_EQ(Next(TVGN_CHILD, nullptr), a) << "the child of no item is the first top-level item";
    EXPECT_EQ(Next(TVGN_CHILD, TVI_ROOT), a);
    EXPECT_EQ(Next(TVGN_PARENT, c2), c);
    EXPECT_EQ(Next(TVGN_PARENT, c), nullptr) << "a top-level item has no parent";
    EXPECT_EQ(Next(TVGN_PARENT, nullptr), nullptr);
    EXPECT_EQ(Next(TVGN_PARENT, TVI_ROOT), nullptr);
    EXPECT_EQ(Next(TVGN_CARET), nullptr);
    EXPECT_EQ(Next(TVGN_DROPHILITE), nullptr);

    // Visible order: c is collapsed, so its children are not visible.
    EXPECT_EQ(Next(TVGN_FIRSTVISIBLE), a);
    EXPECT_EQ(Next(TVGN_NEXTVISIBLE, c), d);
    EXPECT_EQ(Next(TVGN_LASTVISIBLE), d);
    EXPECT_EQ(Next(TVGN_NEXTVISIBLE, c1), nullptr) << "the item must be visible";
    Expand(c);
    EXPECT_EQ(Next(TVGN_NEXTVISIBLE, c), c1);
    EXPECT_EQ(Next(TVGN_PREVIOUSVISIBLE, d), c2);
    EXPECT_EQ(Next(TVGN_PREVIOUSVISIBLE, c1), c);
    EXPECT_EQ(Next(TVGN_PREVIOUSVISIBLE, a), nullptr);
    EXPECT_EQ(Next(TVGN_LASTVISIBLE), d);
    Expand(c, TVE_COLLAPSE);
    HTREEITEM e = Add("e", c2);
    Expand(c);
    Expand(c2);
    EXPECT_EQ(Next(TVGN_NEXTVISIBLE, e), d) << "after the last child the walk climbs to the parent's sibling";
}

TEST_F(Items, InsertRefusesBadParentOrPosition) {
    HTREEITEM a = Add("a");
    HTREEITEM a1 = Add("a1", a);
    HTREEITEM b = Add("b");
    EXPECT_EQ(Add("x", reinterpret_cast<HTREEITEM>(0xdeadbeef)), nullptr);
    EXPECT_EQ(Add("x", b, a1), nullptr) << "a sibling under another parent";
    EXPECT_EQ(Add("x", TVI_ROOT, reinterpret_cast<HTREEITEM>(12345)), nullptr);
    EXPECT_EQ(Send(TVM_INSERTITEMA, 0, 0), 0);
    EXPECT_EQ(Send(TVM_GETCOUNT), 3);
}

TEST_F(Items, SortedInsertIgnoresCaseAndKeepsEqualsInOrder) {
    Add("b");
    Add("D");
    Add("c", TVI_ROOT, TVI_SORT);
    Add("B", TVI_ROOT, TVI_SORT);
    Add("A", TVI_ROOT, TVI_SORT);
    std::vector<std::string> order;
    for (HTREEITEM h = Next(TVGN_ROOT); h; h = Next(TVGN_NEXT, h))
        order.push_back(Text(h));
    EXPECT_EQ(order, (std::vector<std::string>{"A", "b", "B", "c", "D"}));
}

TEST_F(Items, GetAndSetItem) {
    std::string longText(1000, 'x');
    longText[999] = 'y';
    HTREEITEM a = Add(longText.c_str());
    EXPECT_EQ(Text(a), longText.substr(0, 299)) << "cut to cchTextMax, terminated";

    char small[4] = "???";
    TVITEMA item{TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, a, 0, 0, small, 4, -7, -7, 0, 99};
    ASSERT_TRUE(Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(small, "xxx");
    EXPECT_EQ(item.iImage, 0) << "a new item's images are 0";
    EXPECT_EQ(item.iSelectedImage, 0);
    EXPECT_EQ(item.lParam, 0);

    TVINSERTSTRUCTA is{};
    is.hParent = TVI_ROOT;
    is.hInsertAfter = TVI_LAST;
    is.item.mask = TVIF_PARAM;
    is.item.lParam = 5;
    auto noText = reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&is)));
    EXPECT_EQ(Text(noText), "") << "an item inserted without TVIF_TEXT reads as empty";

    TVITEMA set{TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE,
                a,
                TVIS_BOLD | INDEXTOSTATEIMAGEMASK(2),
                TVIS_BOLD | TVIS_STATEIMAGEMASK,
                const_cast<char*>("new"),
                0,
                4,
                5,
                0,
                -123};
    ASSERT_TRUE(Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&set)));
    TVITEMA get{TVIF_IMAGE, a, 0, 0, nullptr, 0, 0, 0, 0, 0};
    ASSERT_TRUE(Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&get)));
    EXPECT_EQ(get.iImage, 4);
    EXPECT_EQ(get.state, static_cast<UINT>(TVIS_BOLD | INDEXTOSTATEIMAGEMASK(2)))
        << "the state comes back whatever the mask";
    EXPECT_EQ(Text(a), "new");
    TVITEMA param{TVIF_PARAM | TVIF_SELECTEDIMAGE, a, 0, 0, nullptr, 0, 0, 0, 0, 0};
    Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&param));
    EXPECT_EQ(param.lParam, -123);
    EXPECT_EQ(param.iSelectedImage, 5);
}

// An explicit child count holds until the item is given a child; from then on it follows what it holds.
TEST_F(Items, ChildrenFlagFollowsRealChildrenUntilSetExplicitlyAndAgainOnceGivenAChild) {
    HTREEITEM a = Add("a");
    auto children = [&](HTREEITEM h) {
        TVITEMA item{TVIF_CHILDREN, h, 0, 0, nullptr, 0, 0, 0, -5, 0};
        Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        return item.cChildren;
    };
    auto set = [&](HTREEITEM h, int count) {
        TVITEMA item{TVIF_CHILDREN, h, 0, 0, nullptr, 0, 0, 0, count, 0};
        Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    };
    EXPECT_EQ(children(a), 0);
    HTREEITEM a1 = Add("a1", a);
    EXPECT_EQ(children(a), 1);
    Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(a1));
    EXPECT_EQ(children(a), 0);

    set(a, 1);
    EXPECT_EQ(children(a), 1) << "an explicit count without children";
    a1 = Add("a1", a);
    Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(a1));
    EXPECT_EQ(children(a), 0) << "a child given and taken: the count follows the children again";

    a1 = Add("a1", a);
    set(a, 0);
    EXPECT_EQ(children(a), 0) << "children hidden by an explicit count";
    Add("a2", a);
    EXPECT_EQ(children(a), 1) << "shown again by the next child";
}

TEST_F(Items, CallbackTextAsksTheParentOnlyWhenTextIsWanted) {
    TVINSERTSTRUCTA is{};
    is.hParent = TVI_ROOT;
    is.hInsertAfter = TVI_LAST;
    is.item.mask = TVIF_TEXT;
    is.item.pszText = LPSTR_TEXTCALLBACKA;
    auto a = reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&is)));
    names.names[a] = "a";
    answer = [](NMHDR* hdr) -> LRESULT {
        if (hdr->code == TVN_GETDISPINFOA) {
            auto* di = reinterpret_cast<NMTVDISPINFOA*>(hdr);
            if (di->item.mask & TVIF_TEXT)
                strncpy(di->item.pszText, "asked", static_cast<size_t>(di->item.cchTextMax));
        }
        return 0;
    };
    log.clear();
    TVITEMA state{TVIF_STATE, a, 0, 0xFFFF, nullptr, 0, 0, 0, 0, 0};
    Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(log, Log{});
    EXPECT_EQ(Text(a), "asked");
    EXPECT_EQ(log, Log{"GETDISPINFO(a)"});
}

TEST_F(Items, DeleteSendsOneNotificationPerItemChildrenFirst) {
    HTREEITEM a = Add("a");
    HTREEITEM a1 = Add("a1", a);
    Add("a1x", a1);
    Add("a2", a);
    Add("b");
    TVITEMA set{TVIF_PARAM, a1, 0, 0, nullptr, 0, 0, 0, 0, 77};
    Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&set));
    LPARAM seen = 0;
    answer = [&](NMHDR* hdr) -> LRESULT {
        auto* nm = reinterpret_cast<NMTREEVIEWA*>(hdr);
        if (hdr->code == TVN_DELETEITEMA && nm->itemOld.hItem == a1) {
            seen = nm->itemOld.lParam;
            EXPECT_EQ(nm->itemOld.mask, static_cast<UINT>(TVIF_HANDLE | TVIF_PARAM));
            EXPECT_EQ(nm->itemNew.mask, 0u);
        }
        return 0;
    };
    EXPECT_TRUE(Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(a)));
    EXPECT_EQ(log, (Log{"DELETEITEM(a1x)", "DELETEITEM(a1)", "DELETEITEM(a2)", "DELETEITEM(a)"}));
    EXPECT_EQ(seen, 77);
    EXPECT_EQ(Send(TVM_GETCOUNT), 1);

    log.clear();
    EXPECT_TRUE(Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)));
    EXPECT_EQ(log, Log{"DELETEITEM(b)"});
    EXPECT_EQ(Send(TVM_GETCOUNT), 0);
    EXPECT_TRUE(Send(TVM_DELETEITEM, 0, 0)) << "deleting everything of an empty tree succeeds";
}

TEST_F(Items, DeletingTheSelectionMovesItAfterTheNotifications) {
    HTREEITEM a = Add("a");
    HTREEITEM a1 = Add("a1", a);
    HTREEITEM a2 = Add("a2", a);
    HTREEITEM a3 = Add("a3", a);
    HTREEITEM b = Add("b");
    Select(a2);
    log.clear();
    Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(a2));
    EXPECT_EQ(log, (Log{"DELETEITEM(a2)", "SELCHANGING(null>a3,unknown)", "SELCHANGED(null>a3,unknown)"}))
        << "first choice: the next sibling";
    log.clear();
    Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(a3));
    EXPECT_EQ(Caret(), a) << "then the parent, when it is not the root";
    Select(b);
    Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(b));
    EXPECT_EQ(Caret(), a) << "then the previous sibling";
    Select(a1, TVGN_DROPHILITE);
    log.clear();
    Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    EXPECT_EQ(log, (Log{"DELETEITEM(a1)", "DELETEITEM(a)"})) << "delete-all clears the selection silently";
    EXPECT_EQ(Caret(), nullptr);
    EXPECT_EQ(Next(TVGN_DROPHILITE), nullptr);
}

// Every message that takes an item refuses a stale handle, a handle of another tree, garbage and the
// special values where they make no sense, with its failure result.
TEST_F(Items, BadHandlesGiveTheFailureResult) {
    HTREEITEM a = Add("a");
    HTREEITEM gone = Add("gone");
    Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(gone));
    HWND other =
        CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD, 0, 0, 100, 100, parent, nullptr, nullptr, nullptr);
    HTREEITEM foreign = Add("foreign", TVI_ROOT, TVI_LAST, other);
    std::vector<HTREEITEM> bad{gone,     foreign,  reinterpret_cast<HTREEITEM>(0xdeadbeef), TVI_FIRST,
                               TVI_LAST, TVI_SORT, reinterpret_cast<HTREEITEM>(1)};
    for (HTREEITEM h : bad) {
        SCOPED_TRACE(reinterpret_cast<uintptr_t>(h));
        auto lp = reinterpret_cast<LPARAM>(h);
        EXPECT_EQ(Send(TVM_DELETEITEM, 0, lp), FALSE);
        EXPECT_EQ(Send(TVM_EXPAND, TVE_EXPAND, lp), FALSE);
        EXPECT_EQ(Send(TVM_SELECTITEM, TVGN_CARET, lp), FALSE);
        EXPECT_EQ(Send(TVM_SELECTITEM, TVGN_DROPHILITE, lp), FALSE);
        EXPECT_EQ(Send(TVM_ENSUREVISIBLE, 0, lp), FALSE);
        EXPECT_EQ(Send(TVM_EDITLABELA, 0, lp), 0);
        EXPECT_EQ(Send(TVM_CREATEDRAGIMAGE, 0, lp), 0);
        EXPECT_EQ(Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(h), 0xFFFF), 0);
        EXPECT_EQ(Send(TVM_SORTCHILDREN, 0, lp), FALSE);
        for (UINT code :
             {TVGN_NEXT, TVGN_PREVIOUS, TVGN_PARENT, TVGN_CHILD, TVGN_NEXTVISIBLE, TVGN_PREVIOUSVISIBLE})
            EXPECT_EQ(Next(code, h), nullptr) << code;
        RECT rc;
        EXPECT_FALSE(ItemRect(h, FALSE, rc));
        TVITEMA set{TVIF_TEXT, h, 0, 0, const_cast<char*>("x"), 0, 0, 0, 0, 0};
        EXPECT_EQ(Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&set)), FALSE);
        EXPECT_EQ(Add("child", h), nullptr);
        if (h != foreign) {
            TVITEMA get{TVIF_TEXT, h, 0, 0, nullptr, 0, 0, 0, 0, 0};
            EXPECT_EQ(Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&get)), FALSE);
        }
    }
    EXPECT_EQ(Send(TVM_GETCOUNT), 1);
    EXPECT_EQ(Text(a), "a");
    EXPECT_EQ(Send(TVM_GETITEMA, 0, 0), FALSE);
    EXPECT_EQ(Send(TVM_SETITEMA, 0, 0), FALSE);
}

// The real control reads an item of another tree through TVM_GETITEM (a conformance test shows it). The
// handle is validated in the process-wide table, so the emulation can follow that safely: it reads the
// item's own tree, which also answers any callback for it. Writing is refused.
TEST_F(Items, GetItemReadsAnItemOfAnotherTree) {
    HWND other =
        CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD, 0, 0, 100, 100, parent, nullptr, nullptr, nullptr);
    HTREEITEM foreign = Add("theirs", TVI_ROOT, TVI_LAST, other);
    EXPECT_EQ(Text(foreign), "theirs");
    DestroyWindow(other);
    EXPECT_EQ(Text(foreign), "<failed>") << "the items die with their tree";
}

TEST_F(Items, HandlesAreNotReusedSoon) {
    std::set<HTREEITEM> seen;
    for (int round = 0; round < 50; ++round) {
        HTREEITEM h = Add("x");
        EXPECT_TRUE(seen.insert(h).second) << "round " << round;
        EXPECT_LT(reinterpret_cast<uintptr_t>(h), uintptr_t(1) << 31) << "fits a signed 32-bit value";
        Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(h));
        EXPECT_EQ(Text(h), "<failed>");
    }
}

TEST_F(Items, SortChildrenIsCaseInsensitiveAndStable) {
    HTREEITEM p = Add("p");
    for (const char* t : {"b2", "A", "B2", "c", "a"})
        Add(t, p);
    EXPECT_TRUE(Send(TVM_SORTCHILDREN, FALSE, reinterpret_cast<LPARAM>(p)));
    std::vector<std::string> order;
    for (HTREEITEM h = Next(TVGN_CHILD, p); h; h = Next(TVGN_NEXT, h))
        order.push_back(Text(h));
    EXPECT_EQ(order, (std::vector<std::string>{"A", "a", "b2", "B2", "c"}));
}

// The control's window classes belong to the emulation, like the platform's own classes: they survive a
// reset of the emulation.
TEST(TreeViewClass, SurvivesReset) {
    emu::Reset();
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&icc));
    INITCOMMONCONTROLSEX wrongSize{sizeof icc + 1, ICC_TREEVIEW_CLASSES};
    EXPECT_FALSE(InitCommonControlsEx(&wrongSize));
    emu::Reset();
    HWND tree =
        CreateWindowExA(0, WC_TREEVIEWA, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(tree, nullptr);
    HWND edit = CreateWindowExA(0, WC_EDITA, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(edit, nullptr);
    emu::Reset();
}
