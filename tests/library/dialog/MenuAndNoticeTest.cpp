// What the library's trees tell a dialog: the general tree's context menu is owned by the dialog, which
// receives the command picked; the check-box tree shows no menu and sends the dialog its notice of each
// click on an item's box.
#include "DialogHost.h"

namespace {

class MenuAndNoticeTest : public ModelessHostTest {
protected:
    void SetUp() override {
        ModelessHostTest::SetUp();
        emu::SetMenuResponder([](const emu::PopupMenuShown&) { return ID_ITEM_OPEN; });
    }
};

TEST_F(MenuAndNoticeTest, ARightClickInTheTreeShowsTheHostsMenuAndItsCommandReachesTheDialog) {
    POINT point = LabelPoint(m_dlg.m_tree, m_dlg.m_hTreeChild);
    ClickLabel(m_dlg.m_tree, m_dlg.m_hTreeChild, emu::Button::Right);
    ASSERT_EQ(1u, emu::PopupMenusShown().size());
    const emu::PopupMenuShown& shown = emu::PopupMenusShown()[0];
    EXPECT_EQ(m_dlg.m_hWnd, shown.owner);
    EXPECT_EQ(point.x, shown.screen.x);
    EXPECT_EQ(point.y, shown.screen.y);
    EXPECT_EQ(Journal{"dialog:command Open"}, g_journal);
    EXPECT_EQ(m_dlg.m_hTreeRoot, m_dlg.m_tree.GetSelectedItem()) << "a right click selects nothing";
    EXPECT_TRUE(m_dlg.IsWindowVisible());
}

TEST_F(MenuAndNoticeTest, AClickOnABoxOfTheCheckBoxTreeSendsTheDialogItsNotice) {
    CRect label;
    ASSERT_TRUE(m_dlg.m_checks.GetItemRect(m_dlg.m_hBoxChild, &label, TRUE));
    // The check image sits in the 16 pixels left of the label.
    POINT box = {label.left - 8, label.CenterPoint().y};
    UINT nFlags = 0;
    m_dlg.m_checks.HitTest(CPoint(box), &nFlags);
    ASSERT_EQ(static_cast<UINT>(TVHT_ONITEMICON), nFlags);
    m_dlg.m_checks.ClientToScreen(&box);
    emu::Click(box.x, box.y);
    Pump();
    emu::Click(box.x, box.y);
    Pump();
    EXPECT_EQ((Journal{"dialog:notice two 0 image 2", "dialog:notice two 0 image 0"}), g_journal);

    g_journal.clear();
    ClickLabel(m_dlg.m_checks, m_dlg.m_hBoxRoot, emu::Button::Right);
    EXPECT_TRUE(emu::PopupMenusShown().empty()) << "the check-box tree has no context menu";
    EXPECT_TRUE(g_journal.empty());
}

} // namespace
