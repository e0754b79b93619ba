// The three-state walk through CheckItem and ClickItem: descendants follow the item, ancestors follow their
// children, with the tree-view requests that the walk makes recorded in order.
#include "CheckHost.h"
#include "TreeRequests.h"

namespace {

class CheckWalk : public CheckHost<COrnCheckTreeCtrl> {};

TEST_F(CheckWalk, ThreeSiblingLeavesMakeTheirParentPartlyThenFullyChecked) {
    HTREEITEM R = Add("R"), P = Add("P", R);
    HTREEITEM a = Add("a", P), b = Add("b", P), c = Add("c", P);
    Add("Q", R);

    EXPECT_EQ(m_tree.CheckItem(a, true), 1);
    EXPECT_EQ(Images(), "R=4 P=4 a=2 b=0 c=0 Q=0");
    EXPECT_EQ(m_tree.CheckItem(b, true), 1);
    EXPECT_EQ(Images(), "R=4 P=4 a=2 b=2 c=0 Q=0");
    EXPECT_EQ(m_tree.CheckItem(c, true), 1);
    EXPECT_EQ(Images(), "R=4 P=2 a=2 b=2 c=2 Q=0")
        << "P's sibling Q still differs, so R stays partly checked";
    EXPECT_TRUE(m_tree.ClickItem(g_items.back().first));
    EXPECT_EQ(Images(), "R=2 P=2 a=2 b=2 c=2 Q=2");
}

TEST_F(CheckWalk, UncheckingTheOnlyCheckedChildUnchecksItsParentAndGoesOnUpward) {
    HTREEITEM R = Add("R", TVI_ROOT, 4), P = Add("P", R, 4);
    HTREEITEM a = Add("a", P, 2);
    Add("b", P);
    Add("c", P);
    Add("Q", R);

    Journal requests = TreeRequests::During(m_tree, [&] { EXPECT_EQ(m_tree.CheckItem(a, false), 1); });
    EXPECT_EQ(Images(), "R=0 P=0 a=0 b=0 c=0 Q=0");
    EXPECT_EQ(
        requests,
        (Journal{"PARENT(a)", "GET(a,image)", "SET(a,0)", "GET(a,children)", "NEXT(a)",   "GET(b,image)",
                 "NEXT(b)",   "GET(c,image)", "NEXT(c)",  "PREVIOUS(a)",     "PARENT(a)", "SET(P,0)",
                 "NEXT(P)",   "GET(Q,image)", "NEXT(Q)",  "PREVIOUS(P)",     "PARENT(P)", "SET(R,0)",
                 "NEXT(R)",   "PREVIOUS(R)",  "PARENT(R)"}));
}

TEST_F(CheckWalk, ASiblingWithAnOddImageDiffersFromTheEvenImageOfItsState) {
    HTREEITEM R = Add("R", TVI_ROOT, 4), P = Add("P", R, 4);
    HTREEITEM a = Add("a", P, 2);
    Add("b", P, 1);
    HTREEITEM S = Add("S", R, 4);
    Add("s1", S, 3);
    HTREEITEM s2 = Add("s2", S, 2);

    Journal requests = TreeRequests::During(m_tree, [&] { EXPECT_EQ(m_tree.CheckItem(a, false), 1); });
    EXPECT_EQ(Images(), "R=4 P=4 a=0 b=1 S=4 s1=3 s2=2");
    // Once a level differs, the ancestors above it are written without reading their siblings.
    EXPECT_EQ(requests,
              (Journal{"PARENT(a)", "GET(a,image)", "SET(a,0)", "GET(a,children)", "NEXT(a)", "GET(b,image)",
                       "PARENT(a)", "SET(P,4)", "PARENT(P)", "SET(R,4)", "PARENT(R)"}));

    // A preceding sibling is read after the following ones.
    EXPECT_EQ(m_tree.CheckItem(s2, false), 1);
    EXPECT_EQ(Images(), "R=4 P=4 a=0 b=1 S=4 s1=3 s2=0");
}

TEST_F(CheckWalk, OnlyTheFirstTopLevelItemIsAccepted) {
    HTREEITEM R1 = Add("R1"), R2 = Add("R2");
    Add("c1", R1);
    HTREEITEM c2 = Add("c2", R2);

    Journal requests = TreeRequests::During(m_tree, [&] {
        EXPECT_EQ(m_tree.CheckItem(R2, true), 0);
        EXPECT_FALSE(m_tree.ClickItem(R2));
    });
    EXPECT_EQ(Images(), "R1=0 R2=0 c1=0 c2=0");
    EXPECT_EQ(requests, (Journal{"PARENT(R2)", "ROOT(null)", "PARENT(R2)", "ROOT(null)"}));

    // The first top-level item has no parent: only its descendants follow it.
    requests = TreeRequests::During(m_tree, [&] { EXPECT_EQ(m_tree.CheckItem(R1, true), 1); });
    EXPECT_EQ(Images(), "R1=2 R2=0 c1=2 c2=0");
    EXPECT_EQ(requests, (Journal{"PARENT(R1)", "ROOT(null)", "GET(R1,image)", "SET(R1,2)", "GET(R1,children)",
                                 "CHILD(R1)", "SET(c1,2)", "GET(c1,children)", "NEXT(c1)"}));

    // Items with a parent are accepted under any top-level item, and their ancestors follow them.
    EXPECT_TRUE(m_tree.ClickItem(c2));
    EXPECT_EQ(Images(), "R1=2 R2=2 c1=2 c2=2");
}

TEST_F(CheckWalk, DescendantsTakeTheImageDepthFirstWhateverTheyShowed) {
    HTREEITEM R = Add("R", TVI_ROOT, 4), A = Add("A", R, 5);
    Add("a1", A, 3);
    Add("a2", A, 1);
    Add("B", R, 2);

    Journal requests = TreeRequests::During(m_tree, [&] { EXPECT_EQ(m_tree.CheckItem(R, false), 1); });
    EXPECT_EQ(Images(), "R=0 A=0 a1=0 a2=0 B=0");
    EXPECT_EQ(requests, (Journal{"PARENT(R)", "ROOT(null)", "GET(R,image)", "SET(R,0)", "GET(R,children)",
                                 "CHILD(R)", "SET(A,0)", "GET(A,children)", "CHILD(A)", "SET(a1,0)",
                                 "GET(a1,children)", "NEXT(a1)", "SET(a2,0)", "GET(a2,children)", "NEXT(a2)",
                                 "NEXT(A)", "SET(B,0)", "GET(B,children)", "NEXT(B)"}));
}

// An item under a parent, showing `start`; the call and what it gives.
struct CheckCase {
    int start;
    const char* call; // "check", "uncheck" or "click"
    int result;       // CheckItem's result; for ClickItem 1 for true
    int image;        // the item's image afterwards
};

TEST_F(CheckWalk, ResultsAndNewImagesFollowTheCheckState) {
    const CheckCase cases[] = {
        {0, "check", 1, 2},   {1, "check", 1, 2},   {2, "check", -1, 2},   {3, "check", -1, 3},
        {4, "check", 1, 2},   {5, "check", 1, 2},   {0, "uncheck", -1, 0}, {1, "uncheck", -1, 1},
        {2, "uncheck", 1, 0}, {3, "uncheck", 1, 0}, {4, "uncheck", 1, 0},  {5, "uncheck", 1, 0},
        {0, "click", 1, 2},   {1, "click", 1, 2},   {2, "click", 1, 0},    {3, "click", 1, 0},
        {4, "click", 1, 2},   {5, "click", 1, 2},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(std::string(c.call) + " on image " + std::to_string(c.start));
        m_tree.DeleteAllItems();
        g_items.clear();
        HTREEITEM R = Add("R", TVI_ROOT, 1);
        HTREEITEM x = Add("x", R, c.start);
        Add("x1", x, 5);
        std::string call = c.call;
        int result = call == "click" ? (m_tree.ClickItem(x) ? 1 : 0) : m_tree.CheckItem(x, call == "check");
        EXPECT_EQ(result, c.result);
        std::string image = std::to_string(c.image);
        // A call that finds the item already in the requested state writes nothing, not even below it.
        EXPECT_EQ(Images(), c.result == -1 ? "R=1 x=" + image + " x1=5"
                                           : "R=" + image + " x=" + image + " x1=" + image);
    }
}

} // namespace
