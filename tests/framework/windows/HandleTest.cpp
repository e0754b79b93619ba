// Wrappers over window handles: relatives, styles, text, and what stale handles give.
#include "WindowsTest.h"

namespace {

class CStyleWatcher : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_WINDOWPOSCHANGING)
            Note("WM_WINDOWPOSCHANGING " +
                 std::to_string(reinterpret_cast<WINDOWPOS*>(lParam)->flags & 0xFF));
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

using HandleTest = WindowsTest;

TEST_F(HandleTest, ModifyStyleReportsChangesAndAppliesThemOnRequest) {
    CStyleWatcher wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "w", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr));
    g_journal.clear();
    EXPECT_FALSE(wnd.ModifyStyle(WS_DISABLED, WS_POPUP));
    EXPECT_TRUE(wnd.ModifyStyle(0, WS_TABSTOP));
    EXPECT_TRUE(wnd.GetStyle() & WS_TABSTOP);
    EXPECT_TRUE(g_journal.empty());

    EXPECT_TRUE(CWnd::ModifyStyle(wnd.m_hWnd, WS_TABSTOP, 0, SWP_FRAMECHANGED));
    EXPECT_FALSE(wnd.GetStyle() & WS_TABSTOP);
    EXPECT_TRUE(wnd.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_NOREDRAW));
    EXPECT_TRUE(wnd.GetExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_EQ((std::vector<std::string>{
                  "WM_WINDOWPOSCHANGING " + std::to_string(SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER |
                                                           SWP_NOACTIVATE | SWP_FRAMECHANGED),
                  "WM_WINDOWPOSCHANGING " + std::to_string(SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER |
                                                           SWP_NOACTIVATE | SWP_NOREDRAW)}),
              g_journal);
}

TEST_F(HandleTest, RelativesFollowParentsAndOwners) {
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "frame", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, nullptr, nullptr));
    CWnd dialog;
    ASSERT_TRUE(dialog.CreateEx(0, nullptr, "dialog", WS_POPUP, 0, 0, 200, 200, frame.m_hWnd, nullptr));
    CWnd pane;
    ASSERT_TRUE(pane.Create(nullptr, "pane", WS_VISIBLE, CRect(10, 20, 110, 120), &dialog, 4));
    CWnd control;
    ASSERT_TRUE(control.Create(nullptr, "control", WS_VISIBLE, CRect(1, 2, 51, 32), &pane, 5));

    EXPECT_EQ(&pane, control.GetParent());
    EXPECT_EQ(&dialog, control.GetParentOwner());
    EXPECT_EQ(&frame, control.GetTopLevelParent());
    EXPECT_EQ(&pane, control.GetOwner());
    control.SetOwner(&frame);
    EXPECT_EQ(&frame, control.GetOwner());
    EXPECT_EQ(&control, pane.GetDlgItem(5));

    CRect rect;
    control.GetClientRect(rect);
    EXPECT_EQ(CRect(0, 0, 50, 30), rect);
    control.ClientToScreen(rect);
    EXPECT_EQ(CRect(11, 22, 61, 52), rect);
    pane.ScreenToClient(rect);
    EXPECT_EQ(CRect(1, 2, 51, 32), rect);

    control.SetWindowText("label");
    CString text;
    control.GetWindowText(text);
    EXPECT_EQ(CString("label"), text);
}

TEST_F(HandleTest, StaleHandlesGiveFailureResults) {
    CWnd wnd;
    HWND hWnd = CreatePlainWindow();
    ASSERT_TRUE(wnd.Attach(hWnd));
    EXPECT_FALSE(CWnd().Attach(hWnd));
    ::DestroyWindow(hWnd);

    EXPECT_EQ(nullptr, CWnd::FromHandle(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(0u, wnd.GetStyle());
    EXPECT_FALSE(wnd.ModifyStyle(0, WS_TABSTOP));
    EXPECT_FALSE(CWnd::ModifyStyleEx(hWnd, 0, WS_EX_CLIENTEDGE, 0));
    EXPECT_EQ(nullptr, wnd.GetParent());
    EXPECT_EQ(nullptr, wnd.GetTopLevelParent());
    EXPECT_EQ(nullptr, wnd.GetDlgItem(1));
    EXPECT_EQ(0, wnd.GetDlgCtrlID());
    EXPECT_EQ(0, wnd.SendMessage(WM_USER));
    EXPECT_FALSE(wnd.PostMessage(WM_USER));
    EXPECT_EQ(0u, wnd.SetTimer(1, 10, nullptr));
    EXPECT_FALSE(wnd.IsWindowVisible());
    EXPECT_EQ(nullptr, wnd.SetFocus());
    CString text("unchanged");
    wnd.GetWindowText(text);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_FALSE(CWnd().SubclassWindow(hWnd));
    EXPECT_FALSE(CWnd().SubclassWindow(nullptr));

    // Destroying detaches what is left.
    EXPECT_FALSE(wnd.DestroyWindow());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, wnd.GetSafeHwnd());
}

} // namespace
