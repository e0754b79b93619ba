// The check-box tree: every click on an item's box or label toggles it and then tells the parent window,
// and none of the general tree's handlers run for it.
#include "CheckHost.h"

namespace {

class CheckBoxClicks : public CheckHost<CTalCheckBoxTreeCtrl> {
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

TEST_F(CheckBoxClicks, TheParentHearsOfTheClickAfterTheImagesChanged) {
    m_parent.m_onNotice = [&](HTREEITEM) { Note("images " + Images()); };
    ClickRegion(BoxPoint(a1), TVHT_ONITEMICON);
    // The selection change that follows goes to the parent as from a plain tree view, without an event.
    EXPECT_EQ(g_journal,
              (Journal{"parent:notice a1 0", "images R=4 A=4 a1=2 a2=0 B=0 R2=0", "parent:SELCHANGED"}));

    g_journal.clear();
    ClickRegion(LabelPoint(a1), TVHT_ONITEMLABEL);
    EXPECT_EQ(g_journal, (Journal{"parent:notice a1 0", "images R=0 A=0 a1=0 a2=0 B=0 R2=0"}));
}

TEST_F(CheckBoxClicks, TheParentMayCallBackIntoTheControl) {
    m_parent.m_onNotice = [&](HTREEITEM hItem) {
        if (hItem == a1)
            Note("CheckItem a2 " + std::to_string(m_tree.CheckItem(a2, true)));
    };
    ClickRegion(LabelPoint(a1), TVHT_ONITEMLABEL);
    EXPECT_EQ(Images(), "R=4 A=2 a1=2 a2=2 B=0 R2=0");
    EXPECT_EQ(g_journal, (Journal{"parent:notice a1 0", "CheckItem a2 1", "parent:SELCHANGED"}))
        << "the call from the parent sends no notice of its own";
}

TEST_F(CheckBoxClicks, ARefusedItemStillNamesItselfToTheParent) {
    ClickRegion(BoxPoint(R2), TVHT_ONITEMICON);
    EXPECT_EQ(Images(), "R=0 A=0 a1=0 a2=0 B=0 R2=0");
    EXPECT_EQ(g_journal, (Journal{"parent:notice R2 0", "parent:SELCHANGED"}));
}

TEST_F(CheckBoxClicks, ClicksBesideTheBoxAndLabelSendNothing) {
    ClickRegion(IndentPoint(a1), TVHT_ONITEMINDENT);
    ClickRegion(RightOfLabelPoint(B), TVHT_ONITEMRIGHT);
    ClickRegion(BelowLastPoint(), TVHT_NOWHERE);
    ClickRegion(ButtonPoint(A), TVHT_ONITEMBUTTON);
    EXPECT_EQ(Images(), "R=0 A=0 a1=0 a2=0 B=0 R2=0");
    EXPECT_EQ(g_journal, Journal{"parent:ITEMEXPANDED A"});
}

TEST_F(CheckBoxClicks, CheckingFromCodeSendsNoNotice) {
    EXPECT_EQ(m_tree.CheckItem(a1, true), 1);
    EXPECT_TRUE(m_tree.ClickItem(B));
    Pump();
    EXPECT_EQ(Images(), "R=4 A=4 a1=2 a2=0 B=2 R2=0");
    EXPECT_EQ(g_journal, Journal{});
}

TEST_F(CheckBoxClicks, NoContextMenuWhateverTheMenuID) {
    m_tree.SetMenuID(kMenuID);
    ClickAt(LabelPoint(B).x, LabelPoint(B).y, emu::Button::Right);
    EXPECT_TRUE(emu::PopupMenusShown().empty());
    EXPECT_EQ(m_tree.GetSelectedItem(), R) << "a right click never selects";
    EXPECT_EQ(g_journal, Journal{});
}

TEST_F(CheckBoxClicks, ALabelEditGoesToTheParentAloneWhichDecides) {
    m_tree.ModifyStyle(0, TVS_EDITLABELS);
    ASSERT_NE(m_tree.EditLabel(B), nullptr);
    emu::TypeText("Bee");
    emu::PressKey(VK_RETURN);
    Pump();
    EXPECT_EQ(g_journal, Journal{"parent:ENDLABELEDIT Bee"});
    EXPECT_EQ(m_tree.GetItemText(B), CString("B")) << "the parent refused";
    EXPECT_TRUE(m_tree.GetStyle() & TVS_EDITLABELS) << "only the general tree switches editing off";
}

TEST_F(CheckBoxClicks, MovingFarWithTheButtonDownNeverStartsADrag) {
    POINT from = Screen(LabelPoint(a1).x, LabelPoint(a1).y);
    emu::MouseMove(from.x, from.y);
    emu::MouseDown();
    emu::MouseMove(from.x, from.y + 100);
    emu::MouseUp();
    Pump();
    // The parent would hear of a drag start, which the plain tree control does not take; the press ends as a
    // click on a1, hit-tested below the items.
    EXPECT_EQ(g_journal, Journal{"parent:SELCHANGED"});
    EXPECT_EQ(Images(), "R=0 A=0 a1=0 a2=0 B=0 R2=0");
}

} // namespace
