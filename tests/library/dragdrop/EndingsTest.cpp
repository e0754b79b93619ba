// How drags end other than by a drop on a tree: cancelled, dropped elsewhere, or a drop that no tree of the
// library began. The image-list drag never outlives the drag, and only the drag in progress is reported.
#include "DragHost.h"

namespace {

using Endings = DragHostTest;

TEST_F(Endings, EscapeCancelsWithoutEventsHighlightsOrADragImageOnScreen) {
    Press(m_treeA, m_hAOne);
    MoveTo(m_treeB, m_hBKid);
    Cancel();
    EXPECT_EQ(g_journal,
              (Journal{"A:OnSelChanged", "B:DragEnter B.Kid =2", "B:DragOver B.Kid =2", "B:DragLeave"}));
    EXPECT_EQ(Highlight(m_treeA), "none");
    EXPECT_EQ(Highlight(m_treeB), "none");
    EXPECT_NE(m_treeA.m_pImageList, nullptr) << "the tree keeps its last drag image";
    ExpectNoImageDrag();
}

TEST_F(Endings, ADropOutsideTheTreesEndsTheImageDragToo) {
    Press(m_treeA, m_hAOne);
    MoveTo(m_treeB, m_hBKid);
    MoveTo(CPoint(300, 470));
    Release();
    EXPECT_EQ(g_journal,
              (Journal{"A:OnSelChanged", "B:DragEnter B.Kid =2", "B:DragOver B.Kid =2", "B:DragLeave"}));
    EXPECT_EQ(Highlight(m_treeB), "none");
    EXPECT_NE(m_treeA.m_pImageList, nullptr);
    ExpectNoImageDrag();

    // A later drag begins its own image drag.
    std::string strImageDrag;
    m_recorderB.m_onDragOver = [&] { strImageDrag = emu::DragImage().active ? "active" : "none"; };
    DragOnto(m_treeA, m_hAOne, m_treeB, m_hBKid);
    EXPECT_EQ(strImageDrag, "active");
    EXPECT_EQ(g_journal.back(), "B:OnDropMove 7 101 A.One B.Kid");
}

TEST_F(Endings, ADropThatNoTreeBeganIsRefused) {
    ForeignDragOnto(m_treeB, m_hBKid);
    // After drags of the library have ended, dropped or cancelled, a tree's selection is still no source.
    DragOnto(m_treeA, m_hAGrand, m_treeB, m_hBKid2);
    ForeignDragOnto(m_treeB, m_hBKid);
    Press(m_treeA, m_hAOne);
    MoveTo(m_treeA, m_hATwo);
    Cancel();
    ForeignDragOnto(m_treeA, m_hATwo);
    EXPECT_EQ(g_journal, (Journal{"B:DragEnter B.Kid =2",
                                  "B:DragOver B.Kid =2",
                                  "B:Drop B.Kid =0",
                                  "foreign:0", //
                                  "A:OnSelChanged",
                                  "B:DragEnter B.Kid2 =2",
                                  "B:DragOver B.Kid2 =2",
                                  "B:Drop B.Kid2 =2",
                                  "B:OnDropMove 8 102 A.Grand B.Kid2", //
                                  "B:DragEnter B.Kid =2",
                                  "B:DragOver B.Kid =2",
                                  "B:Drop B.Kid =0",
                                  "foreign:0", //
                                  "A:OnSelChanged",
                                  "A:DragEnter A.Two =2",
                                  "A:DragOver A.Two =2",
                                  "A:DragLeave", //
                                  "A:DragEnter A.Two =2",
                                  "A:DragOver A.Two =2",
                                  "A:Drop A.Two =0",
                                  "foreign:0"}));
    EXPECT_NE(m_treeA.m_pImageList, nullptr) << "a foreign drop leaves the last drag image alone";
}

TEST_F(Endings, ATreeDestroyedDuringItsDragIsNoSource) {
    m_recorderB.m_onDragOver = [this] {
        if (m_treeA.m_hWnd != NULL)
            m_treeA.DestroyWindow();
    };
    DragOnto(m_treeA, m_hAOne, m_treeB, m_hBKid);
    EXPECT_EQ(g_journal.back(), "B:Drop B.Kid =0");
    ExpectNoImageDrag();
}

} // namespace
