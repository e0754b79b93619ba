// The context menu: a right click on the tree opens the host's menu at the click point, owned by the first
// ancestor that is not a child window, which then receives the command picked.
#include "TreeHost.h"

namespace {

// The host's context menus, from ContextMenus.rc.
constexpr UINT kMenu = 300;
constexpr UINT kMenuWithoutPopup = 301;

const std::map<UINT, std::string> kMenuMessages = {{WM_INITMENUPOPUP, "WM_INITMENUPOPUP"},
                                                   {WM_EXITMENULOOP, "WM_EXITMENULOOP"},
                                                   {WM_COMMAND, "WM_COMMAND"},
                                                   {WM_NOTIFY, "WM_NOTIFY"},
                                                   {WM_CONTEXTMENU, "WM_CONTEXTMENU"}};

class ContextMenuTest : public TreeHostTest {
protected:
    void SetUp() override {
        TreeHostTest::SetUp();
        m_hA = m_tree.AddItem(TVI_ROOT, "a", TVI_LAST, 0, 0, 1);
        m_hB = m_tree.AddItem(TVI_ROOT, "b", TVI_LAST, 0, 0, 2);
        m_tree.SelectItem(m_hA);
        Pump();
        m_log.Attach(m_frame.m_hWnd, "frame");
        m_log.Attach(m_panel.m_hWnd, "panel");
        emu::SetMenuResponder([this](const emu::PopupMenuShown&) { return m_nPick; });
        g_journal.clear();
    }
    // The menu's messages and the notifications, leaving out NM_SETCURSOR, which every mouse message brings.
    std::vector<std::string> MenuFlow() const {
        std::vector<std::string> out;
        for (const LoggedMessage& m : m_log.All()) {
            auto it = kMenuMessages.find(m.message);
            if (it != kMenuMessages.end() && !(m.message == WM_NOTIFY && m.notifyCode == NM_SETCURSOR))
                out.push_back(m.window + ":" + it->second);
        }
        return out;
    }
    void RightClick(int x, int y) {
        emu::Click(x, y, emu::Button::Right);
        Pump();
    }

    HTREEITEM m_hA = nullptr;
    HTREEITEM m_hB = nullptr;
    UINT m_nPick = 0;
    MessageLog m_log;
};

TEST_F(ContextMenuTest, ARightClickOpensTheMenuAtTheClickPointAndItsCommandReachesTheFrame) {
    m_tree.SetMenuID(kMenu);
    m_nPick = 4002;
    // Client point (10, 20) of a tree whose client area starts at screen point (300, 200), over no item.
    RightClick(310, 220);
    ASSERT_EQ(1u, emu::PopupMenusShown().size());
    const emu::PopupMenuShown& shown = emu::PopupMenusShown()[0];
    EXPECT_EQ(310, shown.screen.x);
    EXPECT_EQ(220, shown.screen.y);
    EXPECT_EQ(m_frame.m_hWnd, shown.owner) << "not the tree, nor the panel between them";
    EXPECT_EQ(static_cast<UINT>(TPM_LEFTALIGN | TPM_RIGHTBUTTON), shown.flags);
    EXPECT_FALSE(IsMenu(shown.menu)) << "the loaded menu is destroyed when the menu closes";
    // The command is posted to the owner, so it comes after the menu closed. The tree's own processing of
    // the press (NM_RCLICK) never ran, and the release went to the open menu.
    EXPECT_EQ(
        (std::vector<std::string>{"frame:WM_INITMENUPOPUP", "frame:WM_EXITMENULOOP", "frame:WM_COMMAND"}),
        MenuFlow());
    EXPECT_EQ(Journal{"frame:command 4002"}, g_journal);

    // Over an item, the same; the selection does not move.
    g_journal.clear();
    POINT point = LabelPoint(m_hB);
    RightClick(point.x, point.y);
    ASSERT_EQ(2u, emu::PopupMenusShown().size());
    EXPECT_EQ(point.x, emu::PopupMenusShown()[1].screen.x);
    EXPECT_EQ(point.y, emu::PopupMenusShown()[1].screen.y);
    EXPECT_EQ(m_hA, m_tree.GetSelectedItem());
    EXPECT_EQ(Journal{"frame:command 4002"}, g_journal);
}

TEST_F(ContextMenuTest, TheKeyboardFormOpensTheMenuNearTheTreesCorner) {
    m_tree.SetMenuID(kMenu);
    m_nPick = 4001;
    m_tree.SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(-1, -1));
    ASSERT_EQ(1u, emu::PopupMenusShown().size());
    EXPECT_EQ(305, emu::PopupMenusShown()[0].screen.x);
    EXPECT_EQ(205, emu::PopupMenusShown()[0].screen.y);
    Pump();
    EXPECT_EQ(Journal{"frame:command 4001"}, g_journal);
}

TEST_F(ContextMenuTest, WithoutAMenuIDTheRightButtonDoesNothingAtAll) {
    RightClick(310, 220);
    m_tree.SetMenuID(kMenu);
    m_tree.SetMenuID(0);
    POINT point = LabelPoint(m_hB);
    RightClick(point.x, point.y);
    EXPECT_TRUE(emu::PopupMenusShown().empty());
    // No NM_RCLICK: only the release's default WM_CONTEXTMENU, as after every right click.
    EXPECT_EQ((std::vector<std::string>{"panel:WM_CONTEXTMENU", "frame:WM_CONTEXTMENU",
                                        "panel:WM_CONTEXTMENU", "frame:WM_CONTEXTMENU"}),
              MenuFlow());
    EXPECT_EQ(m_hA, m_tree.GetSelectedItem());
}

TEST_F(ContextMenuTest, AMissingMenuOrFirstSubmenuShowsAndReportsNothing) {
    m_tree.SetMenuID(999);
    RightClick(310, 220);
    m_tree.SetMenuID(kMenuWithoutPopup);
    RightClick(310, 220);
    EXPECT_TRUE(emu::PopupMenusShown().empty());
    EXPECT_TRUE(emu::MessageBoxesShown().empty());
    EXPECT_EQ((std::vector<std::string>{"panel:WM_CONTEXTMENU", "frame:WM_CONTEXTMENU",
                                        "panel:WM_CONTEXTMENU", "frame:WM_CONTEXTMENU"}),
              MenuFlow());
}

} // namespace
