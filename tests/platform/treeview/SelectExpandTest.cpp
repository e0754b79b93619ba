// Selection and expansion through messages: the notifications, their order and when they are left out.
#include "TreeFixture.h"

using SelectExpand = TreeFixture;

TEST_F(SelectExpand, SelectionNotifiesOnlyOnChange) {
    HTREEITEM a = Add("a");
    HTREEITEM b = Add("b");
    EXPECT_TRUE(Select(a));
    EXPECT_TRUE(Select(a));
    EXPECT_TRUE(Select(b));
    EXPECT_TRUE(Select(nullptr));
    EXPECT_TRUE(Select(nullptr));
    EXPECT_EQ(log,
              (Log{"SELCHANGING(null>a,unknown)", "SELCHANGED(null>a,unknown)", "SELCHANGING(a>b,unknown)",
                   "SELCHANGED(a>b,unknown)", "SELCHANGING(b>null,unknown)", "SELCHANGED(b>null,unknown)"}));
    EXPECT_EQ(State(b) & TVIS_SELECTED, 0u);
}

TEST_F(SelectExpand, SelChangingCanVeto) {
    HTREEITEM a = Add("a");
    HTREEITEM b = Add("b");
    Select(a);
    answer = [](NMHDR* hdr) -> LRESULT { return hdr->code == TVN_SELCHANGINGA; };
    log.clear();
    EXPECT_FALSE(Select(b));
    EXPECT_EQ(log, Log{"SELCHANGING(a>b,unknown)"});
    EXPECT_EQ(Caret(), a);
    EXPECT_TRUE(State(a) & TVIS_SELECTED);
}

TEST_F(SelectExpand, SelectingUnderACollapsedParentExpandsItInBetween) {
    HTREEITEM a = Add("a");
    HTREEITEM a1 = Add("a1", a);
    UINT stateInChanged = 0;
    answer = [&](NMHDR* hdr) -> LRESULT {
        if (hdr->code == TVN_SELCHANGEDA)
            stateInChanged = reinterpret_cast<NMTREEVIEWA*>(hdr)->itemNew.state;
        return 0;
    };
    EXPECT_TRUE(Select(a1));
    EXPECT_EQ(log, (Log{"SELCHANGING(null>a1,unknown)", "ITEMEXPANDING(a,expand)", "ITEMEXPANDED(a,expand)",
                        "SELCHANGED(null>a1,unknown)"}));
    EXPECT_TRUE(stateInChanged & TVIS_SELECTED);
}

TEST_F(SelectExpand, DropHighlightIsSingleAndSilent) {
    HTREEITEM a = Add("a");
    HTREEITEM b = Add("b");
    EXPECT_TRUE(Select(a, TVGN_DROPHILITE));
    EXPECT_TRUE(Select(b, TVGN_DROPHILITE));
    EXPECT_EQ(Next(TVGN_DROPHILITE), b);
    EXPECT_EQ(State(a) & TVIS_DROPHILITED, 0u);
    EXPECT_TRUE(State(b) & TVIS_DROPHILITED);
    EXPECT_TRUE(Select(nullptr, TVGN_DROPHILITE));
    EXPECT_EQ(Next(TVGN_DROPHILITE), nullptr);
    EXPECT_EQ(log, Log{});
}

TEST_F(SelectExpand, MessageExpandNotifiesUntilExpandedOnce) {
    HTREEITEM a = Add("a");
    Add("a1", a);
    HTREEITEM leaf = Add("leaf");
    UINT inExpanding = 0, inExpanded = 0;
    answer = [&](NMHDR* hdr) -> LRESULT {
        auto* nm = reinterpret_cast<NMTREEVIEWA*>(hdr);
        if (hdr->code == TVN_ITEMEXPANDINGA)
            inExpanding = nm->itemNew.state;
        if (hdr->code == TVN_ITEMEXPANDEDA) {
            inExpanded = nm->itemNew.state;
            EXPECT_EQ(nm->itemNew.mask, static_cast<UINT>(TVIF_HANDLE | TVIF_STATE | TVIF_PARAM | TVIF_IMAGE |
                                                          TVIF_SELECTEDIMAGE));
            EXPECT_EQ(nm->itemOld.mask, 0u);
        }
        return 0;
    };
    EXPECT_FALSE(Expand(leaf)) << "no children: nothing to do and nothing sent";
    EXPECT_FALSE(Expand(leaf, TVE_TOGGLE));
    EXPECT_EQ(log, Log{});

    EXPECT_TRUE(Expand(a));
    EXPECT_EQ(log, (Log{"ITEMEXPANDING(a,expand)", "ITEMEXPANDED(a,expand)"}));
    EXPECT_EQ(inExpanding & TVIS_EXPANDED, 0u);
    EXPECT_EQ(inExpanded & (TVIS_EXPANDED | TVIS_EXPANDEDONCE), static_cast<UINT>(TVIS_EXPANDED));
    EXPECT_TRUE(State(a) & TVIS_EXPANDEDONCE);

    log.clear();
    EXPECT_TRUE(Expand(a, TVE_COLLAPSE));
    EXPECT_FALSE(Expand(a, TVE_COLLAPSE)) << "already collapsed";
    EXPECT_TRUE(Expand(a, TVE_TOGGLE));
    EXPECT_EQ(log, Log{}) << "after the first expansion, messages expand silently";
    EXPECT_TRUE(State(a) & TVIS_EXPANDED);

    EXPECT_TRUE(Expand(a, TVE_COLLAPSE | TVE_COLLAPSERESET));
    EXPECT_EQ(log, Log{"DELETEITEM(a1)"})
        << "a reset collapse removes the children without expand notifications";
    EXPECT_EQ(State(a) & (TVIS_EXPANDED | TVIS_EXPANDEDONCE), 0u);
}

// The documentation of TVM_EXPAND says it returns zero when the operation fails; a vetoed expansion has not
// happened, so the emulation answers FALSE.
TEST_F(SelectExpand, ItemExpandingCanVeto) {
    HTREEITEM a = Add("a");
    Add("a1", a);
    answer = [](NMHDR* hdr) -> LRESULT { return hdr->code == TVN_ITEMEXPANDINGA; };
    EXPECT_FALSE(Expand(a));
    EXPECT_EQ(log, Log{"ITEMEXPANDING(a,expand)"});
    EXPECT_EQ(State(a) & TVIS_EXPANDED, 0u);
}

// TVN_SELCHANGED is documented as the notice of every change of the selection, so a collapse that moves the
// selection out of the hidden branch to the collapsed item notifies, after the collapse itself.
TEST_F(SelectExpand, CollapsingAroundTheSelectionMovesItToTheCollapsedItem) {
    HTREEITEM a = Add("a");
    HTREEITEM a1 = Add("a1", a);
    Expand(a);
    Select(a1);
    log.clear();
    EXPECT_TRUE(Expand(a, TVE_COLLAPSE));
    EXPECT_EQ(log, (Log{"SELCHANGING(a1>a,unknown)", "SELCHANGED(a1>a,unknown)"}));
    EXPECT_EQ(Caret(), a);
}

TEST_F(SelectExpand, EnsureVisibleExpandsAndScrolls) {
    HTREEITEM p = Add("p");
    HTREEITEM last = nullptr;
    for (int k = 0; k < 30; ++k)
        last = Add(("c" + std::to_string(k)).c_str(), p);
    EXPECT_FALSE(Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(last))) << "it had to expand";
    EXPECT_EQ(log, (Log{"ITEMEXPANDING(p,expand)", "ITEMEXPANDED(p,expand)"}));
    RECT rc;
    ASSERT_TRUE(ItemRect(last, FALSE, rc));
    EXPECT_EQ(rc.top, 9 * 16) << "the item ends up on the last whole row";
    EXPECT_TRUE(Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(p))) << "scrolled back without expanding";
    EXPECT_EQ(Next(TVGN_FIRSTVISIBLE), p);
    EXPECT_FALSE(Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(p))) << "already in view";
}
