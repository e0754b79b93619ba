// Clicks on a check tree made with simulated input, region by region: the box (the item's image) and the
// label toggle; the button, the indent, the space right of the label and the space below the items do not.
// The click notification stays with the control, and the tree view goes on selecting and expanding.
#include "CheckHost.h"

namespace {

class CheckClicks : public CheckHost<COrnCheckTreeCtrl> {
protected:
    void SetUp() override {
        CheckHost::SetUp();
        R = Add("R");
        A = Add("A", R);
        a1 = Add("a1", A);
        a2 = Add("a2", A);
        B = Add("B", R);
        R2 = Add("R2");
        m_tree.Expand(R, TVE_EXPAND);
        m_tree.Expand(A, TVE_EXPAND);
        // R is selected from the start: what a tree view does when a click gives it the focus without a
        // selection is not documented (Wine's selects its first item, with notifications).
        m_tree.SelectItem(R);
        Pump();
        g_journal.clear();
    }

    HTREEITEM R = NULL, A = NULL, a1 = NULL, a2 = NULL, B = NULL, R2 = NULL;
};

TEST_F(CheckClicks, TheBoxTogglesBeforeTheTreeViewSelectsAndTheParentNeverSeesTheClick) {
    ClickRegion(BoxPoint(a1), TVHT_ONITEMICON);
    EXPECT_EQ(Images(), "R=4 A=4 a1=2 a2=0 B=0 R2=0");
    EXPECT_EQ(m_tree.GetSelectedItem(), a1);
    EXPECT_EQ(g_journal, (Journal{"listener:OnSelChanged", "parent:SELCHANGED"}));

    g_journal.clear();
    ClickRegion(BoxPoint(a2), TVHT_ONITEMICON);
    EXPECT_EQ(Images(), "R=4 A=2 a1=2 a2=2 B=0 R2=0");
    EXPECT_EQ(g_journal, (Journal{"listener:OnSelChanged", "parent:SELCHANGED"}));
}

TEST_F(CheckClicks, TheLabelTogglesCheckedPartlyCheckedAndUnchecked) {
    ClickRegion(LabelPoint(A), TVHT_ONITEMLABEL);
    EXPECT_EQ(Images(), "R=4 A=2 a1=2 a2=2 B=0 R2=0");
    ClickRegion(LabelPoint(A), TVHT_ONITEMLABEL);
    EXPECT_EQ(Images(), "R=0 A=0 a1=0 a2=0 B=0 R2=0");
    ClickRegion(LabelPoint(a1), TVHT_ONITEMLABEL);
    EXPECT_EQ(Images(), "R=4 A=4 a1=2 a2=0 B=0 R2=0");
    ClickRegion(LabelPoint(R), TVHT_ONITEMLABEL);
    EXPECT_EQ(Images(), "R=2 A=2 a1=2 a2=2 B=2 R2=0") << "a partly checked item becomes checked";
    EXPECT_EQ(m_tree.GetSelectedItem(), R);
}

TEST_F(CheckClicks, AClickOnAStateImageTogglesToo) {
    CImageList states;
    ASSERT_TRUE(states.Create(16, 16, ILC_MASK, 2, 0));
    ASSERT_EQ(ImageList_SetImageCount(states, 2), TRUE);
    m_tree.SetImageList(&states, TVSIL_STATE);
    ASSERT_TRUE(m_tree.SetItemState(B, INDEXTOSTATEIMAGEMASK(1), TVIS_STATEIMAGEMASK));

    // The state image sits left of the box.
    ClickRegion(BoxPoint(B) - CSize(16, 0), TVHT_ONITEMSTATEICON);
    EXPECT_EQ(Images(), "R=4 A=0 a1=0 a2=0 B=2 R2=0");
    m_tree.SetImageList(NULL, TVSIL_STATE);
}

TEST_F(CheckClicks, ClicksBesideTheBoxAndLabelToggleNothingWhileTheTreeViewStillExpandsAndSelects) {
    ClickRegion(ButtonPoint(A), TVHT_ONITEMBUTTON);
    EXPECT_FALSE(m_tree.GetItemState(A, TVIS_EXPANDED) & TVIS_EXPANDED) << "the button collapsed A";
    EXPECT_EQ(g_journal, Journal{"parent:ITEMEXPANDED A"});
    ClickRegion(ButtonPoint(A), TVHT_ONITEMBUTTON);
    EXPECT_TRUE(m_tree.GetItemState(A, TVIS_EXPANDED) & TVIS_EXPANDED);

    ClickRegion(IndentPoint(a1), TVHT_ONITEMINDENT);
    ClickRegion(ButtonPoint(a1), TVHT_ONITEMINDENT);
    ClickRegion(RightOfLabelPoint(a1), TVHT_ONITEMRIGHT);
    ClickRegion(BelowLastPoint(), TVHT_NOWHERE);
    EXPECT_EQ(Images(), "R=0 A=0 a1=0 a2=0 B=0 R2=0");
    EXPECT_EQ(g_journal, (Journal{"parent:ITEMEXPANDED A", "parent:ITEMEXPANDED A"}));
}

TEST_F(CheckClicks, ASecondTopLevelItemIsSelectedButNotToggled) {
    ClickRegion(BoxPoint(R2), TVHT_ONITEMICON);
    ClickRegion(LabelPoint(R2), TVHT_ONITEMLABEL);
    EXPECT_EQ(Images(), "R=0 A=0 a1=0 a2=0 B=0 R2=0");
    EXPECT_EQ(m_tree.GetSelectedItem(), R2);
}

// Without a drag start the press ends as a click on the pressed item, hit-tested where the pointer left
// the drag zone: below the items here, so nothing toggles.
TEST_F(CheckClicks, MovingFarWithTheButtonDownNeverStartsADrag) {
    EXPECT_TRUE(m_tree.GetStyle() & TVS_DISABLEDRAGDROP);
    POINT from = Screen(LabelPoint(a1).x, LabelPoint(a1).y);
    emu::MouseMove(from.x, from.y);
    emu::MouseDown();
    emu::MouseMove(from.x, from.y + 100);
    emu::MouseMove(from.x + 60, from.y + 120);
    emu::MouseUp();
    Pump();
    EXPECT_EQ(Images(), "R=0 A=0 a1=0 a2=0 B=0 R2=0");
    EXPECT_EQ(m_tree.GetSelectedItem(), a1);
    EXPECT_EQ(g_journal, (Journal{"listener:OnSelChanged", "parent:SELCHANGED"}));
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(CheckClicks, TheGeneralTreesContextMenuStaysInForce) {
    m_tree.SetMenuID(kMenuID);
    POINT point = Screen(LabelPoint(B).x, LabelPoint(B).y);
    emu::Click(point.x, point.y, emu::Button::Right);
    Pump();
    ASSERT_EQ(emu::PopupMenusShown().size(), 1u);
    EXPECT_EQ(emu::PopupMenusShown()[0].owner, m_parent.m_hWnd);
}

} // namespace
