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
    EXPECT_EQ(fromB,
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

} // namespace
