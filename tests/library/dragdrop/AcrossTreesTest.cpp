// Drags from one tree onto another, a check tree included: the receiving tree reports the drop, the source
// tree's filters decide, and each tree keeps or clears its highlight.
#include "DragHost.h"

namespace {

using AcrossTrees = DragHostTest;

TEST_F(AcrossTrees, TheReceivingTreeReportsTheDropAndKeepsItsHighlight) {
    Press(m_treeA, m_hAOne);
    MoveTo(m_treeA, m_hATwo);
    MoveTo(m_treeB, m_hBKid);
    Release();
    EXPECT_EQ(g_journal, (Journal{"A:OnSelChanged", "A:DragEnter A.Two =2", "A:DragOver A.Two =2",
                                  "A:DragLeave", "B:DragEnter B.Kid =2", "B:DragOver B.Kid =2",
                                  "B:Drop B.Kid =2", "B:OnDropMove 7 101 A.One B.Kid"}));
    EXPECT_EQ(Highlight(m_treeA), "none");
    EXPECT_EQ(Highlight(m_treeB), "B.Kid") << "until a later drag passes over it";
    EXPECT_EQ(m_treeA.m_pImageList, nullptr);

    // The highlight left in B takes the next drop that crosses no item of B.
    g_journal.clear();
    Press(m_treeA, m_hAGrand);
    MoveTo(ClientPoint(m_treeB, 60, 200));
    Release();
    EXPECT_EQ(g_journal, (Journal{"A:OnSelChanged", "B:DragEnter (60,200) =2", "B:DragOver (60,200) =2",
                                  "B:Drop (60,200) =2", "B:OnDropMove 8 101 A.Grand B.Kid"}));
}

TEST_F(AcrossTrees, WithoutAHighlightInTheTargetTheDropIsRefused) {
    Press(m_treeA, m_hAOne);
    MoveTo(ClientPoint(m_treeB, 60, 200));
    Release();
    EXPECT_EQ(g_journal, (Journal{"A:OnSelChanged", "B:DragEnter (60,200) =2", "B:DragOver (60,200) =2",
                                  "B:Drop (60,200) =0"}));
}

TEST_F(AcrossTrees, NeitherTheDescendantNorTheParentRuleAppliesAcrossTrees) {
    DragOnto(m_treeB, m_hBKid, m_treeA, m_hARoot);
    DragOnto(m_treeA, m_hAOne, m_treeB, m_hBRoot, true);
    // Both roots lie in the top scroll zone.
    EXPECT_EQ(
        WithoutRepeatedRounds(g_journal),
        (Journal{"B:OnSelChanged", "A:DragEnter A.Root =2", "A:DragOver A.Root =2", "A:WM_VSCROLL SB_LINEUP",
                 "A:Drop A.Root =2", "A:WM_VSCROLL SB_LINEUP",
                 "A:OnDropMove 101 1 B.Kid A.Root", //
                 "A:OnSelChanged", "B:DragEnter B.Root =2", "B:DragOver B.Root =2", "B:WM_VSCROLL SB_LINEUP",
                 "B:DragOver B.Root ctrl =1", "B:WM_VSCROLL SB_LINEUP", "B:Drop B.Root ctrl =1",
                 "B:WM_VSCROLL SB_LINEUP", "B:OnDropCopy 7 100 A.One B.Root"}));
}

TEST_F(AcrossTrees, OnlyTheSourceTreesUnDropFilterCounts) {
    m_treeB.AddUnDropImages(1); // B.Kid shows image 2
    DragOnto(m_treeA, m_hAOne, m_treeB, m_hBKid);
    m_treeA.AddUnDropImages(1);
    DragOnto(m_treeA, m_hAOne, m_treeB, m_hBKid);
    DragOnto(m_treeA, m_hAOne, m_treeA, m_hAGrand);
    EXPECT_EQ(g_journal, (Journal{"A:OnSelChanged", "B:DragEnter B.Kid =2", "B:DragOver B.Kid =2",
                                  "B:Drop B.Kid =2", "B:OnDropMove 7 101 A.One B.Kid", //
                                  "B:DragEnter B.Kid =2", "B:DragOver B.Kid =2", "B:Drop B.Kid =0",
                                  "A:DragEnter A.Grand =2", "A:DragOver A.Grand =2", "A:Drop A.Grand =0"}));
}

TEST_F(AcrossTrees, TheUnDragFilterIsAskedAgainAtTheDrop) {
    m_recorderB.m_onDragOver = [this] { m_treeA.AddUnDragImages(1); };
    DragOnto(m_treeA, m_hAOne, m_treeB, m_hBKid);
    EXPECT_EQ(g_journal.back(), "B:Drop B.Kid =0")
        << "A.One shows image 2, filtered once the drag was under way";
}

TEST_F(AcrossTrees, ACheckTreeTakesDropsAndItsCheckStatesAreImageGroups) {
    HIMAGELIST hChecks = m_treeC.GetImageList(TVSIL_NORMAL)->GetSafeHandle();
    m_treeA.AddUnDropImages(1); // checked
    DragOnto(m_treeA, m_hAOne, m_treeC, m_hCKid1);
    DragOnto(m_treeA, m_hAOne, m_treeC, m_hCKid2);
    EXPECT_EQ(g_journal, (Journal{"A:OnSelChanged", "C:DragEnter C.Kid1 =2", "C:DragOver C.Kid1 =2",
                                  "C:Drop C.Kid1 =0", //
                                  "C:DragEnter C.Kid2 =2", "C:DragOver C.Kid2 =2", "C:Drop C.Kid2 =2",
                                  "C:OnDropMove 7 202 A.One C.Kid2"}));
    EXPECT_EQ(m_treeC.GetImageList(TVSIL_NORMAL)->GetSafeHandle(), hChecks);
    EXPECT_EQ(ImageList_GetImageCount(hChecks), 6) << "the drops leave the check images alone";
    int nImage = -1, nSelectedImage = -1;
    m_treeC.GetItemImage(m_hCKid1, nImage, nSelectedImage);
    EXPECT_EQ(nImage, 2);
}

} // namespace
