// The drag start: the un-drag filter, the filter operations, what starts no drag, and the source's drag
// image and highlight while the drag runs.
#include "DragHost.h"

#include <algorithm>

namespace {

using DragSource = DragHostTest;

// Whether pressing on A.Grand (showing nImage) and releasing over A.Two runs a drag.
class DragSourceFilter : public DragHostTest {
protected:
    bool Drags(int nImage) {
        m_treeA.SetItemImage(m_hAGrand, nImage, nImage);
        g_journal.clear();
        DragOnto(m_treeA, m_hAGrand, m_treeA, m_hATwo);
        return std::find(g_journal.begin(), g_journal.end(), "A:DragEnter A.Two =2") != g_journal.end();
    }
};

TEST_F(DragSourceFilter, AnItemWhoseImageGroupIsListedCannotBeDragged) {
    m_treeA.AddUnDragImages(2);
    EXPECT_FALSE(Drags(4));
    EXPECT_FALSE(Drags(5));
    EXPECT_TRUE(Drags(3));
    EXPECT_TRUE(Drags(6));
    CArray<int, const int&> arrGroups;
    arrGroups.Add(0);
    m_treeA.SetUnDragImages(arrGroups);
    EXPECT_FALSE(Drags(-1)) << "image -1 is in group 0";
    EXPECT_TRUE(Drags(4)) << "setting the filter replaces it";
    m_treeA.AddUnDragImages(0);
    EXPECT_FALSE(Drags(1)) << "a duplicate changes nothing";
    m_treeA.SetUnDragImages(CArray<int, const int&>());
    EXPECT_TRUE(Drags(1));
}

TEST_F(DragSource, AFilteredItemIsOnlySelected) {
    m_treeA.AddUnDragImages(2);
    DragOnto(m_treeA, m_hAGrand, m_treeA, m_hATwo);
    EXPECT_EQ(g_journal, Journal{"A:OnSelChanged"});
    EXPECT_EQ(m_treeA.GetSelectedItem(), m_hAGrand);
    EXPECT_EQ(Highlight(m_treeA), "none");
    EXPECT_EQ(m_treeA.m_pImageList, nullptr);
    EXPECT_FALSE(emu::DragImage().active);
}

TEST_F(DragSource, TheRightButtonAndACheckTreeStartNoDrag) {
    CPoint point = LabelPoint(m_treeA, m_hAOne);
    emu::MouseMove(point.x, point.y);
    emu::MouseDown(emu::Button::Right);
    MoveTo(m_treeA, m_hATwo);
    MoveTo(m_treeB, m_hBKid);
    emu::MouseUp(emu::Button::Right);
    Pump();
    EXPECT_EQ(g_journal, Journal{});

    HIMAGELIST hChecks = m_treeC.GetImageList(TVSIL_NORMAL)->GetSafeHandle();
    DragOnto(m_treeC, m_hCKid2, m_treeB, m_hBKid);
    for (const std::string& entry : g_journal)
        EXPECT_EQ(entry.find("Drag"), std::string::npos) << entry;
    EXPECT_EQ(ImageList_GetImageCount(hChecks), 6) << "the check images are not taken for a drag image";
}

TEST_F(DragSource, WhileTheDragRunsTheSourceShowsItsItemAndTheImageFollows) {
    emu::DragImageState state;
    std::string strSourceHighlight;
    m_recorderB.m_onDragOver = [&] {
        state = emu::DragImage();
        strSourceHighlight = Highlight(m_treeA);
    };
    Press(m_treeA, m_hAOne);
    CPoint point = LabelPoint(m_treeB, m_hBKid);
    MoveTo(point);
    emu::MouseMove(point.x + 3, point.y + 1);
    Release();

    EXPECT_EQ(strSourceHighlight, "A.One");
    EXPECT_TRUE(state.active);
    EXPECT_TRUE(state.shown);
    EXPECT_EQ(state.lockWindow, m_treeB.m_hWnd);
    m_treeB.ScreenToClient(&point);
    EXPECT_EQ(state.position.x, point.x + 3) << "client points, passed on unchanged";
    EXPECT_EQ(state.position.y, point.y + 1);
    EXPECT_EQ(state.hotspot.x, 0);
    CRect rect;
    m_treeA.GetItemRect(m_hAOne, &rect, TRUE);
    EXPECT_GT(state.size.cx, rect.Width()) << "the drag image shows the item's image and label";
    EXPECT_EQ(Highlight(m_treeA), "none");
}

TEST_F(DragSource, EachDragStartReplacesTheLastDragImage) {
    Press(m_treeA, m_hAOne);
    MoveTo(m_treeA, m_hATwo);
    Cancel();
    ASSERT_NE(m_treeA.m_pImageList, nullptr) << "a cancelled drag keeps its image";
    HIMAGELIST hFirst = m_treeA.m_pImageList->GetSafeHandle();

    HIMAGELIST hDuring = nullptr;
    m_recorderA.m_onDragOver = [&] { hDuring = m_treeA.m_pImageList->GetSafeHandle(); };
    Press(m_treeA, m_hAGrand);
    MoveTo(m_treeA, m_hATwo);
    Cancel();
    EXPECT_NE(hDuring, nullptr);
    EXPECT_NE(hDuring, hFirst);
    EXPECT_EQ(ImageList_GetImageCount(hFirst), 0) << "the first image is gone";
}

} // namespace
