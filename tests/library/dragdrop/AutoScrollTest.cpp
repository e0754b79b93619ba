// Auto-scroll near the edges of a 200 by 300 client area: the scroll messages each move over the tree sends.
#include "DragHost.h"

namespace {

using AutoScroll = DragHostTest;

TEST_F(AutoScroll, EachMoveScrollsOneLineTowardsTheNearEdges) {
    m_recorderB.m_bPoints = true;
    Press(m_treeA, m_hAOne);
    for (CPoint point : {CPoint(100, 290), CPoint(100, 289), CPoint(100, 10), CPoint(100, 11),
                         CPoint(10, 150), CPoint(190, 150), CPoint(189, 150), CPoint(5, 295), CPoint(199, 0)})
        MoveTo(ClientPoint(m_treeB, point.x, point.y));
    Cancel();
    Journal fromB;
    for (const std::string& entry : g_journal)
        if (entry.rfind("B:", 0) == 0)
            fromB.push_back(entry);
    EXPECT_EQ(WithoutRepeatedRounds(fromB),
              (Journal{"B:DragEnter (100,290) =2", "B:DragOver (100,290) =2", "B:WM_VSCROLL SB_LINEDOWN",
                       "B:DragOver (100,289) =2",                                                    //
                       "B:DragOver (100,10) =2", "B:WM_VSCROLL SB_LINEUP", "B:DragOver (100,11) =2", //
                       "B:DragOver (10,150) =2", "B:WM_HSCROLL SB_LINELEFT",                         //
                       "B:DragOver (190,150) =2", "B:WM_HSCROLL SB_LINERIGHT",                       //
                       "B:DragOver (189,150) =2",                                                    //
                       "B:DragOver (5,295) =2", "B:WM_VSCROLL SB_LINEDOWN", "B:WM_HSCROLL SB_LINELEFT",
                       "B:DragOver (199,0) =2", "B:WM_VSCROLL SB_LINEUP", "B:WM_HSCROLL SB_LINERIGHT",
                       "B:DragLeave"}));
}

// The loop goes on while the pointer rests in a scroll zone, so the tree goes on scrolling, a line each
// round; outside the zones a resting pointer scrolls nothing.
TEST_F(AutoScroll, APointerRestingNearAnEdgeKeepsScrolling) {
    m_recorderB.m_bPoints = true;
    Press(m_treeA, m_hAOne);
    MoveTo(ClientPoint(m_treeB, 100, 150));
    emu::Wait(300);
    MoveTo(ClientPoint(m_treeB, 100, 295));
    emu::Wait(300);
    Cancel();
    // The recorder notes a round in the middle once, as it repeats the last entry exactly.
    size_t edge = 0, scrolls = 0;
    for (const std::string& entry : g_journal) {
        edge += entry == "B:DragOver (100,295) =2";
        scrolls += entry == "B:WM_VSCROLL SB_LINEDOWN";
    }
    EXPECT_GE(edge, 3u) << "rounds while resting near the bottom";
    EXPECT_EQ(scrolls, edge) << "a line for each round near the edge, none in the middle";
}

} // namespace
