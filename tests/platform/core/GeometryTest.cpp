// Frames and client areas, positions and their messages, coordinates, Z order, focus, activation, capture
// and the standard scroll bars.
#include "CoreTest.h"

namespace {

using Strings = std::vector<std::string>;

class Geometry : public CoreTest {};

struct FrameCase {
    DWORD style;
    DWORD exStyle;
    RECT client; // of a 200 x 100 window
};

TEST_F(Geometry, TheClientAreaLiesInsideTheFrame) {
    // Frame 4 for a sizing border, 3 for a dialog frame (a caption brings one), 1 for a border; caption 19;
    // a client edge 2 more; scroll bars 16.
    const FrameCase cases[] = {
        {WS_POPUP, 0, {0, 0, 200, 100}},
        {WS_POPUP | WS_BORDER, 0, {1, 1, 199, 99}},
        {WS_POPUP | WS_CAPTION, 0, {3, 22, 197, 97}},
        {WS_POPUP | WS_CAPTION | WS_THICKFRAME, 0, {4, 23, 196, 96}},
        {WS_POPUP | WS_DLGFRAME, 0, {3, 3, 197, 97}},
        {WS_POPUP, WS_EX_DLGMODALFRAME, {3, 3, 197, 97}},
        {WS_POPUP | WS_BORDER, WS_EX_CLIENTEDGE, {3, 3, 197, 97}},
        {WS_POPUP, WS_EX_STATICEDGE, {1, 1, 199, 99}},
        {WS_POPUP | WS_VSCROLL | WS_HSCROLL, WS_EX_CLIENTEDGE, {2, 2, 182, 82}},
        {WS_OVERLAPPEDWINDOW, 0, {4, 23, 196, 96}},
    };
    for (const FrameCase& c : cases) {
        HWND w = Create("w", c.style, 300, 200, 200, 100, nullptr, 0, c.exStyle);
        ASSERT_NE(nullptr, w);
        RECT client, window;
        GetClientRect(w, &client);
        GetWindowRect(w, &window);
        POINT origin{0, 0};
        ClientToScreen(w, &origin);
        SCOPED_TRACE(std::to_string(c.style) + " " + std::to_string(c.exStyle));
        EXPECT_EQ(c.client.right - c.client.left, client.right);
        EXPECT_EQ(c.client.bottom - c.client.top, client.bottom);
        EXPECT_EQ(300 + c.client.left, origin.x);
        EXPECT_EQ(200 + c.client.top, origin.y);
        EXPECT_EQ(300, window.left);
        EXPECT_EQ(300, window.bottom);
        if (!(c.style & (WS_VSCROLL | WS_HSCROLL))) {
            RECT adjusted{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
            AdjustWindowRectEx(&adjusted, c.style, FALSE, c.exStyle);
            EXPECT_TRUE(EqualRect(&adjusted, &window));
        }
        DestroyWindow(w);
    }
}

TEST_F(Geometry, MovingAndSizingSendThePositionMessages) {
    HWND w = Create("w", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    Pump();
    Clear();
    WINDOWPOS changed{};
    On(WM_WINDOWPOSCHANGED, [&](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        changed = *reinterpret_cast<WINDOWPOS*>(lp);
        return std::nullopt;
    });
    LPARAM size = 0, move = 0;
    On(WM_SIZE, [&](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        size = lp;
        return 0;
    });
    On(WM_MOVE, [&](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        move = lp;
        return 0;
    });
    EXPECT_TRUE(MoveWindow(w, 10, 20, 150, 80, TRUE));
    EXPECT_EQ((Strings{"w:WM_WINDOWPOSCHANGING", "w:WM_NCCALCSIZE", "w:WM_WINDOWPOSCHANGED", "w:WM_MOVE",
                       "w:WM_SIZE"}),
              Journal());
    EXPECT_EQ(MAKELPARAM(150, 80), size);
    EXPECT_EQ(MAKELPARAM(10, 20), move);
    EXPECT_EQ(10, changed.x);
    EXPECT_EQ(150, changed.cx);

    // Only moving: no WM_SIZE. Unchanged values count as not asked for.
    Clear();
    SetWindowPos(w, nullptr, 30, 20, 150, 80, SWP_NOZORDER);
    EXPECT_EQ((Strings{"w:WM_WINDOWPOSCHANGING", "w:WM_NCCALCSIZE", "w:WM_WINDOWPOSCHANGED", "w:WM_MOVE"}),
              Journal());
    EXPECT_NE(0u, changed.flags & SWP_NOSIZE);

    // WM_WINDOWPOSCHANGING may change the outcome.
    On(WM_WINDOWPOSCHANGING, [](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        reinterpret_cast<WINDOWPOS*>(lp)->cx = 60;
        return 0;
    });
    Pump();
    SetWindowPos(w, nullptr, 0, 0, 300, 300, SWP_NOMOVE | SWP_NOZORDER);
    RECT r;
    GetClientRect(w, &r);
    EXPECT_EQ(60, r.right);
    EXPECT_EQ(300, r.bottom);
    // The newly exposed strip must be painted.
    RECT update;
    EXPECT_TRUE(GetUpdateRect(w, &update, FALSE));
    EXPECT_EQ(80, update.top);
}

TEST_F(Geometry, SizingBordersAskForTheTrackingLimits) {
    HWND w = Create("w", WS_OVERLAPPEDWINDOW, 0, 0, 50, 10);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(GetSystemMetrics(SM_CXMINTRACK), r.right - r.left);
    EXPECT_EQ(GetSystemMetrics(SM_CYMINTRACK), r.bottom - r.top);
    On(WM_GETMINMAXINFO, [](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        reinterpret_cast<MINMAXINFO*>(lp)->ptMaxTrackSize = POINT{300, 200};
        return 0;
    });
    Clear();
    MoveWindow(w, 0, 0, 500, 500, FALSE);
    EXPECT_EQ((Strings{"w:WM_WINDOWPOSCHANGING", "w:WM_GETMINMAXINFO", "w:WM_NCCALCSIZE",
                       "w:WM_WINDOWPOSCHANGED", "w:WM_SIZE"}),
              Journal());
    GetWindowRect(w, &r);
    EXPECT_EQ(300, r.right);
    EXPECT_EQ(200, r.bottom);
}

TEST_F(Geometry, CoordinatesMapThroughNestedWindows) {
    HWND top = Create("top", WS_POPUP | WS_BORDER, 100, 50, 400, 300);
    HWND mid = Create("mid", WS_CHILD | WS_BORDER, 10, 20, 200, 200, top, 1, WS_EX_CLIENTEDGE);
    HWND leaf = Create("leaf", WS_CHILD, 5, 6, 50, 50, mid, 2);
    POINT p{1, 2};
    ClientToScreen(leaf, &p);
    // 100 + 1 (top's border) + 10 + 3 (mid's border and edge) + 5 + 1
    EXPECT_EQ(120, p.x);
    EXPECT_EQ(50 + 1 + 20 + 3 + 6 + 2, p.y);
    ScreenToClient(top, &p);
    EXPECT_EQ(120 - 101, p.x);
    POINT pts[2] = {{0, 0}, {10, 10}};
    LONG offsets = MapWindowPoints(leaf, top, pts, 2);
    EXPECT_EQ(18, pts[0].x);
    EXPECT_EQ(29, pts[0].y);
    EXPECT_EQ(28, pts[1].x);
    EXPECT_EQ(MAKELONG(18, 29), offsets);
    RECT r;
    GetWindowRect(leaf, &r);
    EXPECT_EQ(119, r.left);
    EXPECT_EQ(169, r.right);
    EXPECT_EQ(POINT{}.x, (MapWindowPoints(nullptr, nullptr, pts, 0), 0));
    HWND desktop = GetDesktopWindow();
    GetWindowRect(desktop, &r);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), r.right);
    EXPECT_EQ(desktop, GetAncestor(top, GA_PARENT));
    EXPECT_EQ(top, GetAncestor(leaf, GA_ROOT));
    EXPECT_TRUE(IsChild(top, leaf));
    EXPECT_FALSE(IsChild(leaf, top));
}

TEST_F(Geometry, ZOrderAndWhichSiblingIsHit) {
    HWND top = Create("top", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300);
    HWND first = Create("first", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, top, 1);
    HWND second = Create("second", WS_CHILD | WS_VISIBLE, 50, 50, 100, 100, top, 2);
    // Children are created at the bottom of the Z order.
    EXPECT_EQ(first, GetTopWindow(top));
    EXPECT_EQ(second, GetWindow(first, GW_HWNDNEXT));
    EXPECT_EQ(first, GetWindow(second, GW_HWNDPREV));
    EXPECT_EQ(second, GetWindow(first, GW_HWNDLAST));
    EXPECT_EQ(first, WindowFromPoint(POINT{75, 75}));
    SetWindowPos(second, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(second, WindowFromPoint(POINT{75, 75}));
    SetWindowPos(second, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(first, GetWindow(top, GW_CHILD));

    HWND other = Create("other", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300);
    EXPECT_EQ(other, GetTopWindow(nullptr));
    EXPECT_EQ(other, WindowFromPoint(POINT{75, 75}));
    EXPECT_EQ(top, SetParent(first, nullptr));
    EXPECT_EQ(nullptr, GetParent(first));
    EXPECT_EQ(GetDesktopWindow(), GetAncestor(first, GA_PARENT));
    // A window cannot go under its own descendant.
    EXPECT_EQ(nullptr, SetParent(top, second));
    EXPECT_EQ(nullptr, SetParent(top, top));
}

TEST_F(Geometry, ShowingHidingMaximizingAndRestoring) {
    HWND top = Create("top", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200);
    HWND child = Create("child", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top, 1);
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_FALSE(ShowWindow(top, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(ShowWindow(top, SW_SHOW));
    Clear();
    EXPECT_TRUE(ShowWindow(child, SW_HIDE));
    EXPECT_EQ((Strings{"child:WM_SHOWWINDOW", "child:WM_WINDOWPOSCHANGING", "child:WM_WINDOWPOSCHANGED"}),
              Journal());
    EXPECT_FALSE(ShowWindow(child, SW_HIDE));

    WPARAM kind = 99;
    On(WM_SIZE, [&](HWND, UINT, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
        kind = wp;
        return 0;
    });
    ShowWindow(top, SW_SHOWMAXIMIZED);
    EXPECT_EQ(static_cast<WPARAM>(SIZE_MAXIMIZED), kind);
    RECT r;
    GetWindowRect(top, &r);
    EXPECT_EQ(-4, r.left);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) + 4, r.right);
    EXPECT_NE(0, GetWindowLongA(top, GWL_STYLE) & WS_MAXIMIZE);
    ShowWindow(top, SW_RESTORE);
    EXPECT_EQ(static_cast<WPARAM>(SIZE_RESTORED), kind);
    GetWindowRect(top, &r);
    EXPECT_EQ(10, r.left);
    EXPECT_EQ(310, r.right);
    ShowWindow(top, SW_MINIMIZE);
    EXPECT_EQ(static_cast<WPARAM>(SIZE_MINIMIZED), kind);
    GetClientRect(top, &r);
    EXPECT_TRUE(IsRectEmpty(&r));
    ShowWindow(top, SW_RESTORE);
    GetClientRect(top, &r);
    EXPECT_EQ(292, r.right);
}

TEST_F(Geometry, FocusMovesWithKillFocusThenSetFocus) {
    HWND top = Create("top", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300);
    HWND a = Create("a", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top, 1);
    HWND b = Create("b", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top, 2);
    std::vector<WPARAM> params;
    for (UINT msg : {WM_SETFOCUS, WM_KILLFOCUS})
        On(msg, [&](HWND, UINT, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
            params.push_back(wp);
            return 0;
        });
    EXPECT_EQ(top, SetFocus(a));
    Clear();
    params.clear();
    EXPECT_EQ(a, SetFocus(b));
    EXPECT_EQ((Strings{"a:WM_KILLFOCUS", "b:WM_SETFOCUS"}), Journal());
    EXPECT_EQ((std::vector<WPARAM>{reinterpret_cast<WPARAM>(b), reinterpret_cast<WPARAM>(a)}), params);
    EXPECT_EQ(b, SetFocus(b));
    EXPECT_EQ(2u, Journal().size());

    // A disabled window takes no focus, and loses it when disabled.
    EnableWindow(a, FALSE);
    EXPECT_EQ(nullptr, SetFocus(a));
    EXPECT_EQ(b, GetFocus());
    Clear();
    EXPECT_FALSE(EnableWindow(b, FALSE));
    EXPECT_EQ((Strings{"b:WM_CANCELMODE", "b:WM_KILLFOCUS", "b:WM_ENABLE"}), Journal());
    EXPECT_EQ(nullptr, GetFocus());
    EXPECT_TRUE(EnableWindow(b, TRUE));
    EXPECT_TRUE(IsWindowEnabled(b));
}

TEST_F(Geometry, ActivationMovesBetweenTopLevelWindows) {
    HWND one = Create("one", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND two = Create("two", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    EXPECT_EQ(two, GetActiveWindow());
    EXPECT_EQ(two, GetForegroundWindow());
    std::vector<std::pair<WPARAM, LPARAM>> activates;
    On(WM_ACTIVATE, [&](HWND, UINT, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        activates.emplace_back(wp, lp);
        return std::nullopt;
    });
    Clear();
    EXPECT_EQ(two, SetActiveWindow(one));
    EXPECT_EQ((Strings{"one:WM_WINDOWPOSCHANGING", "one:WM_WINDOWPOSCHANGED", "two:WM_NCACTIVATE",
                       "two:WM_ACTIVATE", "one:WM_NCACTIVATE", "one:WM_ACTIVATE", "two:WM_KILLFOCUS",
                       "one:WM_SETFOCUS"}),
              Journal());
    ASSERT_EQ(2u, activates.size());
    EXPECT_EQ(static_cast<WPARAM>(WA_INACTIVE), activates[0].first);
    EXPECT_EQ(reinterpret_cast<LPARAM>(one), activates[0].second);
    EXPECT_EQ(static_cast<WPARAM>(WA_ACTIVE), activates[1].first);
    EXPECT_EQ(reinterpret_cast<LPARAM>(two), activates[1].second);
    EXPECT_EQ(one, GetTopWindow(nullptr));
    EXPECT_TRUE(SetForegroundWindow(two));
    EXPECT_EQ(two, GetFocus());
}

TEST_F(Geometry, CaptureChangesAreAnnouncedToTheWindowThatLosesIt) {
    HWND a = Create("a", WS_POPUP, 0, 0, 10, 10);
    HWND b = Create("b", WS_POPUP, 0, 0, 10, 10);
    LPARAM newCapture = 1;
    On(WM_CAPTURECHANGED, [&](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        newCapture = lp;
        return 0;
    });
    Clear();
    EXPECT_EQ(nullptr, SetCapture(a));
    EXPECT_EQ(a, SetCapture(b));
    EXPECT_EQ(reinterpret_cast<LPARAM>(b), newCapture);
    EXPECT_EQ(b, GetCapture());
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(0, newCapture);
    EXPECT_EQ((Strings{"a:WM_CAPTURECHANGED", "b:WM_CAPTURECHANGED"}), Journal());
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(2u, Journal().size());
    // Disabling the capture window ends the capture.
    SetCapture(a);
    EnableWindow(a, FALSE);
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(Geometry, ScrollBarsAppearAndVanishWithTheirRange) {
    HWND w = Create("w", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    SetLastError(0);
    EXPECT_FALSE(GetScrollInfo(w, SB_VERT, &si));
    EXPECT_EQ(1447u, GetLastError());
    Clear();
    LPARAM size = 0;
    On(WM_SIZE, [&](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        size = lp;
        return 0;
    });
    si = SCROLLINFO{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 95, 0};
    EXPECT_EQ(90, SetScrollInfo(w, SB_VERT, &si, TRUE));
    EXPECT_EQ((Strings{"w:WM_WINDOWPOSCHANGING", "w:WM_NCCALCSIZE", "w:WM_WINDOWPOSCHANGED", "w:WM_SIZE"}),
              Journal());
    EXPECT_EQ(MAKELPARAM(184, 100), size);
    EXPECT_NE(0, GetWindowLongA(w, GWL_STYLE) & WS_VSCROLL);
    si.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(w, SB_VERT, &si));
    EXPECT_EQ(99, si.nMax);
    EXPECT_EQ(10u, si.nPage);
    EXPECT_EQ(90, si.nPos);
    EXPECT_EQ(90, SetScrollPos(w, SB_VERT, -5, TRUE));
    EXPECT_EQ(0, GetScrollPos(w, SB_VERT));

    // A page as large as the range needs no bar; with SIF_DISABLENOSCROLL the bar stays.
    si = SCROLLINFO{sizeof si, SIF_PAGE | SIF_DISABLENOSCROLL, 0, 0, 100, 0, 0};
    SetScrollInfo(w, SB_VERT, &si, TRUE);
    EXPECT_NE(0, GetWindowLongA(w, GWL_STYLE) & WS_VSCROLL);
    si.fMask = SIF_PAGE;
    SetScrollInfo(w, SB_VERT, &si, TRUE);
    EXPECT_EQ(0, GetWindowLongA(w, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(MAKELPARAM(200, 100), size);

    EXPECT_TRUE(SetScrollRange(w, SB_HORZ, 0, 50, TRUE));
    EXPECT_NE(0, GetWindowLongA(w, GWL_STYLE) & WS_HSCROLL);
    int lo = -1, hi = -1;
    EXPECT_TRUE(GetScrollRange(w, SB_HORZ, &lo, &hi));
    EXPECT_EQ(50, hi);
    EXPECT_TRUE(SetScrollRange(w, SB_HORZ, 0, 0, TRUE));
    EXPECT_EQ(0, GetWindowLongA(w, GWL_STYLE) & WS_HSCROLL);
    EXPECT_TRUE(ShowScrollBar(w, SB_BOTH, TRUE));
    RECT r;
    GetClientRect(w, &r);
    EXPECT_EQ(184, r.right);
    EXPECT_EQ(84, r.bottom);
    EXPECT_FALSE(SetScrollInfo(w, SB_CTL, &si, TRUE));

    // A window created with a scroll bar style has the default range.
    HWND scrolled = Create("scrolled", WS_POPUP | WS_VSCROLL, 0, 0, 100, 100);
    si.fMask = SIF_RANGE;
    ASSERT_TRUE(GetScrollInfo(scrolled, SB_VERT, &si));
    EXPECT_EQ(0, si.nMin);
    EXPECT_EQ(100, si.nMax);
}

TEST_F(Geometry, RectangleHelpers) {
    RECT a{0, 0, 10, 10}, b{5, 5, 20, 20}, c{30, 30, 40, 40}, out;
    EXPECT_TRUE(IntersectRect(&out, &a, &b));
    EXPECT_EQ(5, out.left);
    EXPECT_EQ(10, out.right);
    EXPECT_FALSE(IntersectRect(&out, &a, &c));
    EXPECT_TRUE(IsRectEmpty(&out));
    EXPECT_TRUE(UnionRect(&out, &a, &c));
    EXPECT_EQ(40, out.bottom);
    EXPECT_TRUE(PtInRect(&a, POINT{0, 9}));
    EXPECT_FALSE(PtInRect(&a, POINT{10, 5}));
    InflateRect(&a, 2, 3);
    OffsetRect(&a, 1, 1);
    EXPECT_EQ(-1, a.left);
    EXPECT_EQ(14, a.bottom);
    SetRectEmpty(&a);
    EXPECT_TRUE(IsRectEmpty(&a));
    EXPECT_EQ(4, GetSystemMetrics(SM_CXDRAG));
    EXPECT_EQ(500u, GetDoubleClickTime());
    EXPECT_EQ(768, GetSystemMetrics(SM_CYSCREEN));
}

} // namespace
