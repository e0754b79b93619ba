// Drags within one tree: the road of a drag from press to release, and the drop rules between items of the
// same tree.
#include "DragHost.h"

namespace {

using WithinTree = DragHostTest;

TEST_F(WithinTree, AMoveOntoAnotherItemIsReportedByTheTree) {
    Press(m_treeA, m_hAGrand);
    MoveTo(m_treeA, m_hATwo);
    Release();
    EXPECT_EQ(g_journal, (Journal{"A:OnSelChanged", "A:DragEnter A.Two =2", "A:DragOver A.Two =2",
                                  "A:Drop A.Two =2", "A:OnDropMove 8 12 A.Grand A.Two"}))
        << "the drag selects the item first; the parent hears nothing of the drag start";
    EXPECT_EQ(m_treeA.GetSelectedItem(), m_hAGrand);
    EXPECT_EQ(Highlight(m_treeA), "none");
    EXPECT_EQ(m_treeA.m_pImageList, nullptr) << "the drop deletes the drag image";
    EXPECT_FALSE(emu::DragImage().active);

    CStringArray& args = m_listenerA.m_arrLastArgs;
    ASSERT_EQ(args.GetSize(), 4);
    EXPECT_EQ(std::string(args[2]), HandleText(m_hAGrand));
    EXPECT_EQ(std::string(args[3]), HandleText(m_hATwo));
}

TEST_F(WithinTree, AnItemNeverGoesOntoItselfOrItsDescendants) {
    DragOnto(m_treeA, m_hAOne, m_treeA, m_hAOne);
    DragOnto(m_treeA, m_hAOne, m_treeA, m_hAGrand);
    DragOnto(m_treeA, m_hARoot, m_treeA, m_hAGrand, true);
    EXPECT_EQ(g_journal, (Journal{"A:OnSelChanged", "A:DragEnter A.One =2", "A:DragOver A.One =2",
                                  "A:Drop A.One =0",                                                      //
                                  "A:DragEnter A.Grand =2", "A:DragOver A.Grand =2", "A:Drop A.Grand =0", //
                                  "A:OnSelChanged", "A:DragEnter A.Grand =2", "A:DragOver A.Grand =2",
                                  "A:DragOver A.Grand ctrl =1", "A:Drop A.Grand ctrl =0"}));
}

TEST_F(WithinTree, OntoItsOwnParentAMoveIsAcceptedSilentlyAndACopyIsReported) {
    DragOnto(m_treeA, m_hAGrand, m_treeA, m_hAOne);
    DragOnto(m_treeA, m_hAGrand, m_treeA, m_hAOne, true);
    EXPECT_EQ(g_journal, (Journal{"A:OnSelChanged", "A:DragEnter A.One =2", "A:DragOver A.One =2",
                                  "A:Drop A.One =2", //
                                  "A:DragEnter A.One =2", "A:DragOver A.One =2", "A:DragOver A.One ctrl =1",
                                  "A:Drop A.One ctrl =1", "A:OnDropCopy 8 7 A.Grand A.One"}));
}

TEST_F(WithinTree, ATopLevelItemCanBeDraggedButIsNeverDropped) {
    DragOnto(m_treeA, m_hARoot2, m_treeA, m_hATwo);
    DragOnto(m_treeA, m_hARoot2, m_treeB, m_hBKid, true);
    EXPECT_EQ(g_journal, (Journal{"A:OnSelChanged", "A:DragEnter A.Two =2", "A:DragOver A.Two =2",
                                  "A:Drop A.Two =0", //
                                  "B:DragEnter B.Kid =2", "B:DragOver B.Kid =2", "B:DragOver B.Kid ctrl =1",
                                  "B:Drop B.Kid ctrl =0"}));
    EXPECT_EQ(m_treeA.m_pImageList, nullptr) << "a refused drop deletes the drag image too";
}

TEST_F(WithinTree, ReleasingBelowTheLastItemDropsOntoTheLastHighlight) {
    Press(m_treeA, m_hAGrand);
    MoveTo(m_treeA, m_hAOne);
    MoveTo(m_treeA, m_hATwo);
    MoveTo(ClientPoint(m_treeA, 60, 200));
    Release();
    EXPECT_EQ(g_journal,
              (Journal{"A:OnSelChanged", "A:DragEnter A.One =2", "A:DragOver A.One =2", "A:DragOver A.Two =2",
                       "A:DragOver (60,200) =2", "A:Drop (60,200) =2", "A:OnDropMove 8 12 A.Grand A.Two"}));

    g_journal.clear();
    Press(m_treeA, m_hATwo);
    MoveTo(ClientPoint(m_treeA, 60, 200));
    Release();
    EXPECT_EQ(g_journal, (Journal{"A:OnSelChanged", "A:DragEnter (60,200) =2", "A:DragOver (60,200) =2",
                                  "A:Drop (60,200) =0"}))
        << "crossing no item, the drop goes onto the dragged item's own highlight";
}

TEST_F(WithinTree, CtrlAtTheDropDecidesAndShiftOrAltChangeNothing) {
    Press(m_treeA, m_hAGrand);
    MoveTo(m_treeA, m_hAOne);
    emu::KeyDown(VK_CONTROL);
    MoveTo(m_treeA, m_hATwo);
    emu::KeyUp(VK_CONTROL);
    emu::KeyDown(VK_SHIFT);
    emu::KeyDown(VK_MENU);
    Release();
    emu::KeyUp(VK_MENU);
    emu::KeyUp(VK_SHIFT);
    Pump();
    EXPECT_EQ(g_journal,
              (Journal{"A:OnSelChanged", "A:DragEnter A.One =2", "A:DragOver A.One =2",
                       "A:DragOver A.One ctrl =1", "A:DragOver A.Two ctrl =1", "A:DragOver A.Two =2",
                       "A:Drop A.Two =2", "A:OnDropMove 8 12 A.Grand A.Two"}))
        << "each change of the keys is a step of the drag";
}

} // namespace
