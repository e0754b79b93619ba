// Message maps: lookup order along the chain of base maps, handler arguments, and command routing.
#include "WindowsTest.h"

namespace {

class CWndA : public CWnd {
protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point) {
        Note("A:OnLButtonDown " + std::to_string(nFlags) + " " + std::to_string(point.x) + "," +
             std::to_string(point.y));
    }
    afx_msg LRESULT OnUser(WPARAM, LPARAM) {
        Note("A:OnUser");
        return 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CWndA, CWnd)
ON_WM_LBUTTONDOWN()
ON_MESSAGE(WM_USER, &CWndA::OnUser)
END_MESSAGE_MAP()

class CWndB : public CWndA {
protected:
    afx_msg LRESULT OnUser(WPARAM, LPARAM) {
        Note("B:OnUser");
        return 2;
    }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT) {
        Note("B:OnKeyDown " + std::to_string(nChar) + " x" + std::to_string(nRepCnt));
    }
    afx_msg void OnCommandRange(UINT nID) { Note("B:OnCommandRange " + std::to_string(nID)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CWndB, CWndA)
ON_MESSAGE(WM_USER, &CWndB::OnUser)
ON_WM_KEYDOWN()
ON_COMMAND_RANGE(100, 109, &CWndB::OnCommandRange)
END_MESSAGE_MAP()

// Derives from B but chains its map straight to A's: B's entries do not apply to it.
class CWndC : public CWndB {
protected:
    afx_msg void OnCommand105() { Note("C:OnCommand105"); }
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos) {
        Note(std::string("C:OnContextMenu ") + (pWnd == this ? "self " : "other ") + std::to_string(pos.x) +
             "," + std::to_string(pos.y));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CWndC, CWndA)
ON_COMMAND(105, &CWndC::OnCommand105)
ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

class MessageMapTest : public WindowsTest {
protected:
    // Subclasses a plain window (100 x 100 at screen x, 100) so that unhandled messages show up as "plain:".
    void Attach(CWnd& wnd, int x = 100) {
        ASSERT_TRUE(wnd.SubclassWindow(CreatePlainWindow(nullptr, 0, {x, 100, x + 100, 200})));
        wnd.SetFocus();
        g_journal.clear();
    }
};

TEST_F(MessageMapTest, OwnEntriesComeBeforeTheBaseMaps) {
    CWndA a;
    CWndB b;
    Attach(a);
    Attach(b);
    EXPECT_EQ(1, a.SendMessage(WM_USER));
    EXPECT_EQ(2, b.SendMessage(WM_USER));
    EXPECT_EQ((std::vector<std::string>{"A:OnUser", "B:OnUser"}), g_journal);
}

TEST_F(MessageMapTest, AMapChainedPastItsBaseSkipsTheBaseEntries) {
    CWndC c;
    Attach(c);
    EXPECT_EQ(1, c.SendMessage(WM_USER));
    c.SendMessage(WM_KEYDOWN, 'Q', 1);
    c.SendMessage(WM_COMMAND, 104);
    c.SendMessage(WM_COMMAND, 105);
    EXPECT_EQ(
        (std::vector<std::string>{"A:OnUser", "plain:WM_KEYDOWN", "plain:WM_COMMAND", "C:OnCommand105"}),
        g_journal);
}

TEST_F(MessageMapTest, HandlersGetTheMessageDecoded) {
    CWndC c;
    CWndB b;
    Attach(c);
    Attach(b, 300);

    emu::Click(130, 140);
    emu::PumpMessages();
    b.SetFocus();
    emu::PressKey('K');
    emu::PumpMessages();
    c.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(c.m_hWnd), MAKELPARAM(-5, 300));
    EXPECT_EQ((std::vector<std::string>{"A:OnLButtonDown 1 30,40", "B:OnKeyDown 75 x1", "plain:WM_CHAR",
                                        "plain:WM_KEYUP", "C:OnContextMenu self -5,300"}),
              g_journal);
}

TEST_F(MessageMapTest, CommandsRouteByIdAndRange) {
    CWndB b;
    Attach(b);
    EXPECT_EQ(1, b.SendMessage(WM_COMMAND, 100));
    EXPECT_EQ(1, b.SendMessage(WM_COMMAND, MAKEWPARAM(109, 1))); // from an accelerator
    EXPECT_EQ(0, b.SendMessage(WM_COMMAND, 110));
    EXPECT_EQ((std::vector<std::string>{"B:OnCommandRange 100", "B:OnCommandRange 109", "plain:WM_COMMAND"}),
              g_journal);

    // Asking who would handle a command does not run the handler.
    g_journal.clear();
    AFX_CMDHANDLERINFO info{};
    EXPECT_TRUE(b.OnCmdMsg(103, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(&b, info.pTarget);
    EXPECT_FALSE(b.OnCmdMsg(110, CN_COMMAND, nullptr, &info));
    EXPECT_TRUE(g_journal.empty());
}

} // namespace
