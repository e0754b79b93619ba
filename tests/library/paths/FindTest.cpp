// Finding items by ID, expanding down to an item, and expanding a branch.
#include "PathsHost.h"

namespace {

class FindByID : public PathsHost {};

// A (first top-level) holds two items with ID 5 and two with ID 2; X (second top-level) holds ID 7.
TEST_F(FindByID, FirstInPreOrderWithinTheStartItemsBranch) {
    std::vector<HTREEITEM> h = Build({{0, "A", 1},
                                      {1, "B", 2},
                                      {2, "C", 5},
                                      {1, "D", 5},
                                      {1, "E", 2},
                                      {2, "F", 8},
                                      {0, "X", 3},
                                      {1, "Y", 7}});
    const HTREEITEM A = h[0], B = h[1], C = h[2], D = h[3], F = h[5], X = h[6], Y = h[7];
    struct Case {
        long id;
        HTREEITEM start;
        HTREEITEM expected;
    } cases[] = {
        {1, A, A},       // the start item itself
        {5, A, C},       // an earlier sibling's whole branch before a later sibling
        {2, A, B},       // a parent before its children
        {8, A, F},       // the last branch, at depth
        {7, A, nullptr}, // only the start item's branch is searched
        {3, A, nullptr}, // the start item's siblings are never visited
        {7, X, Y},       // any start item
        {1, B, nullptr}, // nor its parent
        {2, D, nullptr}, // nor its later siblings
        {5, D, D},       {9, A, nullptr}, {1, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("ID " + std::to_string(c.id) + " from " + g_names.Name(c.start));
        EXPECT_EQ(g_names.Name(m_tree.FindHandleByID(c.id, c.start)), g_names.Name(c.expected));
    }
}

// Item data has 32-bit meaning: IDs compare as signed 32-bit values, however they were stored or passed.
TEST_F(FindByID, IDsCompareAsSigned32BitValues) {
    std::vector<HTREEITEM> h = Build({{0, "A", 1}, {1, "minus five", -5}, {1, "high bit", 0}});
    m_tree.SetItemData(h[2], 0x80000001u);

    EXPECT_EQ(m_tree.FindHandleByID(-5, h[0]), h[1]);
    EXPECT_EQ(m_tree.FindHandleByID(static_cast<long>(0xFFFFFFFBu), h[0]), h[1]);
    EXPECT_EQ(m_tree.FindHandleByID(static_cast<long>(0x80000001u), h[0]), h[2]);
}

// The calls of a search, as the tree receives them: the item's ID, whether it has children, its first child
// and then the next sibling of each child whose branch held nothing.
TEST_F(FindByID, AsksTheTreeItemByItemAndStopsAtTheFirstMatch) {
    std::vector<HTREEITEM> h = Build({{0, "A", 1}, {1, "B", 2}, {2, "C", 3}, {1, "D", 4}, {1, "E", 5}});
    TreeRequests requests(m_tree.m_hWnd);
    EXPECT_EQ(m_tree.FindHandleByID(4, h[0]), h[3]);
    EXPECT_EQ(requests.m_requests,
              (Journal{"GET(A,0x4)", "GET(A,0x40)", "CHILD(A)", "GET(B,0x4)", "GET(B,0x40)", "CHILD(B)",
                       "GET(C,0x4)", "GET(C,0x40)", "NEXT(C)", "NEXT(B)", "GET(D,0x4)"}));
}

class ExpandByID : public PathsHost {
protected:
    // Top > P2 > P1 > Item (ID 9) > Kid; Other is a second child of Top, Far the second top-level item.
    void SetUp() override {
        PathsHost::SetUp();
        Build({{0, "Top", 1},
               {1, "P2", 2},
               {2, "P1", 3},
               {3, "Item", 9},
               {4, "Kid", 10},
               {1, "Other", 4},
               {0, "Far", 5},
               {1, "Far child", 7}});
    }
    HTREEITEM Named(const char* name) {
        for (const auto& [h, n] : g_names.names)
            if (n == name)
                return h;
        return nullptr;
    }
};

TEST_F(ExpandByID, ExpandsTheNearestAncestorFirstThenTheItemThenSelectsIt) {
    TreeRequests requests(m_tree.m_hWnd);
    EXPECT_TRUE(m_tree.ExpandById(9));

    EXPECT_EQ(requests.Only({"EXPAND", "SELECT"}),
              (Journal{"EXPAND(P1)", "EXPAND(P2)", "EXPAND(Top)", "EXPAND(Item)", "SELECT(Item)"}));
    EXPECT_EQ(g_journal, (Journal{"parent:ITEMEXPANDING(P1,expand)", "parent:ITEMEXPANDED(P1,expand)",
                                  "parent:ITEMEXPANDING(P2,expand)", "parent:ITEMEXPANDED(P2,expand)",
                                  "parent:ITEMEXPANDING(Top,expand)", "parent:ITEMEXPANDED(Top,expand)",
                                  "parent:ITEMEXPANDING(Item,expand)", "parent:ITEMEXPANDED(Item,expand)",
                                  "parent:SELCHANGING(null>Item,unknown)", "listener:OnSelChanged(0 args)",
                                  "parent:SELCHANGED(null>Item,unknown)"}));
    EXPECT_EQ(m_tree.GetSelectedItem(), Named("Item"));
    for (const char* name : {"Top", "P2", "P1", "Item"})
        EXPECT_TRUE(IsExpanded(Named(name))) << name;
    EXPECT_FALSE(IsExpanded(Named("Far")));
}

// The listener hears of the selection only when it really changes.
TEST_F(ExpandByID, TellsTheListenerOnlyWhenTheSelectionChanges) {
    ASSERT_TRUE(m_tree.ExpandById(9));
    g_journal.clear();

    EXPECT_TRUE(m_tree.ExpandById(9));
    EXPECT_EQ(g_journal, Journal{}) << "expanded once already, and selected already";

    EXPECT_TRUE(m_tree.ExpandById(4));
    EXPECT_EQ(g_journal, (Journal{"parent:SELCHANGING(Item>Other,unknown)", "listener:OnSelChanged(0 args)",
                                  "parent:SELCHANGED(Item>Other,unknown)"}));
    EXPECT_EQ(m_tree.GetSelectedItem(), Named("Other"));
}

TEST_F(ExpandByID, AnIDNotInTheFirstBranchChangesNothing) {
    for (long id : {7L, 5L, 11L}) {
        TreeRequests requests(m_tree.m_hWnd);
        EXPECT_FALSE(m_tree.ExpandById(id)) << id;
        EXPECT_EQ(requests.Only({"EXPAND", "SELECT"}), Journal{}) << id;
    }
    EXPECT_EQ(g_journal, Journal{});
    EXPECT_EQ(m_tree.GetSelectedItem(), nullptr);
    m_tree.DeleteAllItems();
    EXPECT_FALSE(m_tree.ExpandById(1));
}

// An ID of 0 or less searches nothing and stands for the root, which has no parent; the call succeeds
// whatever the tree makes of expanding and selecting the root.
TEST_F(ExpandByID, ZeroOrLessSearchesNothingAndSucceeds) {
    for (long id : {0L, -5L, static_cast<long>(0x80000000u)}) {
        TreeRequests requests(m_tree.m_hWnd);
        EXPECT_TRUE(m_tree.ExpandById(id)) << id;
        EXPECT_EQ(requests.m_requests, (Journal{"PARENT(root)", "EXPAND(root)", "SELECT(root)"})) << id;
    }
}

class ExpandAll : public PathsHost {
protected:
    // A > (B > (C, D > E), F), X > Y.
    void SetUp() override {
        PathsHost::SetUp();
        m_items = Build({{0, "A", 1},
                         {1, "B", 2},
                         {2, "C", 3},
                         {2, "D", 4},
                         {3, "E", 5},
                         {1, "F", 6},
                         {0, "X", 7},
                         {1, "Y", 8}});
    }
    std::vector<HTREEITEM> m_items;
};

// Each child is expanded, and a child with children once more as the top of its own branch.
TEST_F(ExpandAll, ExpandsEveryItemWithChildrenInPreOrder) {
    TreeRequests requests(m_tree.m_hWnd);
    m_tree.ExpandAll(m_items[0]);

    EXPECT_EQ(requests.Only({"EXPAND"}), (Journal{"EXPAND(A)", "EXPAND(B)", "EXPAND(B)", "EXPAND(C)",
                                                  "EXPAND(D)", "EXPAND(D)", "EXPAND(E)", "EXPAND(F)"}));
    EXPECT_EQ(g_journal, (Journal{"parent:ITEMEXPANDING(A,expand)", "parent:ITEMEXPANDED(A,expand)",
                                  "parent:ITEMEXPANDING(B,expand)", "parent:ITEMEXPANDED(B,expand)",
                                  "parent:ITEMEXPANDING(D,expand)", "parent:ITEMEXPANDED(D,expand)"}));
    std::vector<std::string> expanded;
    for (HTREEITEM h : m_items)
        if (IsExpanded(h))
            expanded.push_back(g_names.Name(h));
    EXPECT_EQ(expanded, (std::vector<std::string>{"A", "B", "D"}));
    EXPECT_EQ(m_tree.GetSelectedItem(), nullptr);
}

TEST_F(ExpandAll, ALeafOrNoItemExpandsNothing) {
    for (HTREEITEM h : {m_items[2], m_items[5], static_cast<HTREEITEM>(nullptr)}) {
        TreeRequests requests(m_tree.m_hWnd);
        m_tree.ExpandAll(h);
        EXPECT_EQ(requests.Only({"EXPAND"}), Journal{}) << g_names.Name(h);
    }
    EXPECT_EQ(g_journal, Journal{});
}

} // namespace
