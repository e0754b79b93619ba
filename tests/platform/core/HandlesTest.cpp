// Window handles: opaque 32-bit values, validated everywhere, not reused soon; and emu::Reset.
#include "CoreTest.h"

#include <set>

namespace {

using Strings = std::vector<std::string>;

class Handles : public CoreTest {};

TEST_F(Handles, DestroyedAndForgedHandlesGiveTheFailureResult) {
    HWND parent = Create("parent", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND stale = Create("stale", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, 50, 50, parent, 4);
    DestroyWindow(stale);
    Pump();
    Clear();
    const HWND bad[] = {stale, reinterpret_cast<HWND>(0xDEADBEEF), reinterpret_cast<HWND>(1),
                        reinterpret_cast<HWND>(~uintptr_t{0}), reinterpret_cast<HWND>(0x123456789AB)};
    for (HWND h : bad) {
        SCOPED_TRACE(reinterpret_cast<uintptr_t>(h));
        RECT r{1, 2, 3, 4};
        POINT p{5, 6};
        char text[8] = "x";
        PAINTSTRUCT ps;
        SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
        int lo, hi;
        SetLastError(0);
        EXPECT_FALSE(IsWindow(h));
        EXPECT_FALSE(DestroyWindow(h));
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE), GetLastError());
        EXPECT_EQ(0, SendMessageA(h, WM_USER, 0, 0));
        EXPECT_FALSE(PostMessageA(h, WM_USER, 0, 0));
        EXPECT_FALSE(IsChild(parent, h));
        EXPECT_FALSE(IsChild(h, parent));
        EXPECT_EQ(nullptr, GetParent(h));
        EXPECT_EQ(nullptr, SetParent(h, parent));
        EXPECT_EQ(nullptr, SetParent(parent, h));
        EXPECT_EQ(nullptr, GetAncestor(h, GA_ROOT));
        EXPECT_EQ(nullptr, GetWindow(h, GW_CHILD));
        EXPECT_EQ(nullptr, GetTopWindow(h));
        EXPECT_EQ(nullptr, GetDlgItem(h, 4));
        EXPECT_EQ(0, GetDlgCtrlID(h));
        EXPECT_EQ(0, SendDlgItemMessageA(h, 4, WM_USER, 0, 0));
        EXPECT_EQ(0, GetWindowLongA(h, GWL_STYLE));
        EXPECT_EQ(0, SetWindowLongA(h, GWL_STYLE, 0));
        EXPECT_EQ(0, GetWindowLongPtrA(h, GWLP_WNDPROC));
        EXPECT_EQ(0, SetWindowLongPtrA(h, GWLP_USERDATA, 1));
        EXPECT_EQ(0, GetWindowTextA(h, text, sizeof text));
        EXPECT_STREQ("", text);
        EXPECT_EQ(0, GetWindowTextLengthA(h));
        EXPECT_FALSE(SetWindowTextA(h, "y"));
        EXPECT_FALSE(SetPropA(h, "p", &r));
        EXPECT_EQ(nullptr, GetPropA(h, "p"));
        EXPECT_EQ(nullptr, RemovePropA(h, "p"));
        EXPECT_EQ(0, GetClassNameA(h, text, sizeof text));
        EXPECT_EQ(0u, GetClassLongA(h, GCL_STYLE));
        EXPECT_EQ(0u, GetClassLongPtrA(h, GCLP_WNDPROC));
        EXPECT_FALSE(MoveWindow(h, 0, 0, 1, 1, TRUE));
        EXPECT_FALSE(SetWindowPos(h, nullptr, 0, 0, 1, 1, SWP_NOZORDER));
        EXPECT_FALSE(GetClientRect(h, &r));
        EXPECT_FALSE(GetWindowRect(h, &r));
        EXPECT_EQ(1, r.left);
        EXPECT_FALSE(ClientToScreen(h, &p));
        EXPECT_FALSE(ScreenToClient(h, &p));
        EXPECT_EQ(5, p.x);
        EXPECT_EQ(0, MapWindowPoints(h, parent, &p, 1));
        EXPECT_EQ(nullptr, ChildWindowFromPoint(h, p));
        EXPECT_FALSE(ShowWindow(h, SW_SHOW));
        EXPECT_FALSE(IsWindowVisible(h));
        EXPECT_FALSE(EnableWindow(h, FALSE));
        EXPECT_FALSE(IsWindowEnabled(h));
        EXPECT_FALSE(InvalidateRect(h, nullptr, TRUE));
        EXPECT_FALSE(ValidateRect(h, nullptr));
        EXPECT_FALSE(GetUpdateRect(h, &r, FALSE));
        EXPECT_FALSE(UpdateWindow(h));
        EXPECT_FALSE(RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE));
        EXPECT_EQ(nullptr, BeginPaint(h, &ps));
        EXPECT_FALSE(EndPaint(h, &ps));
        EXPECT_FALSE(ScrollWindow(h, 0, 1, nullptr, nullptr));
        EXPECT_EQ(nullptr, SetFocus(h));
        EXPECT_EQ(nullptr, SetCapture(h));
        EXPECT_EQ(nullptr, SetActiveWindow(h));
        EXPECT_FALSE(SetForegroundWindow(h));
        EXPECT_EQ(0, SetScrollInfo(h, SB_VERT, &si, TRUE));
        EXPECT_FALSE(GetScrollInfo(h, SB_VERT, &si));
        EXPECT_EQ(0, SetScrollPos(h, SB_VERT, 1, TRUE));
        EXPECT_EQ(0, GetScrollPos(h, SB_VERT));
        EXPECT_FALSE(SetScrollRange(h, SB_VERT, 0, 1, TRUE));
        EXPECT_FALSE(GetScrollRange(h, SB_VERT, &lo, &hi));
        EXPECT_FALSE(ShowScrollBar(h, SB_VERT, TRUE));
        EXPECT_EQ(0u, SetTimer(h, 1, 10, nullptr));
        EXPECT_FALSE(KillTimer(h, 1));
        EXPECT_EQ(0u, GetWindowThreadProcessId(h, nullptr));
        EXPECT_EQ(0, DefWindowProcA(h, WM_GETTEXTLENGTH, 0, 0));
        MSG msg{h, WM_USER, 0, 0, 0, {0, 0}};
        EXPECT_EQ(0, DispatchMessageA(&msg));
        // (HWND)-1 asks the queue for messages without a window.
        if (h != reinterpret_cast<HWND>(-1)) {
            EXPECT_EQ(-1, GetMessageA(&msg, h, 0, 0));
        }
    }
    EXPECT_EQ(Strings{}, Journal());
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(nullptr, WindowFromDC(reinterpret_cast<HDC>(0x1234)));
}

TEST_F(Handles, HandlesFitInThirtyTwoBitsAndAreNotReusedSoon) {
    std::set<uintptr_t> seen;
    for (int i = 0; i < 5000; ++i) {
        HWND h = CreateWindowExA(0, kClass, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, h);
        auto value = reinterpret_cast<uintptr_t>(h);
        EXPECT_LE(value, uintptr_t{0xFFFFFFFF});
        EXPECT_TRUE(seen.insert(value).second);
        DestroyWindow(h);
    }
    // Nor by the next test run in the same process.
    emu::Reset();
    SetUp();
    HWND h = Create("again", WS_POPUP, 0, 0, 1, 1);
    EXPECT_FALSE(seen.count(reinterpret_cast<uintptr_t>(h)));
}

TEST_F(Handles, ResetDestroysWindowsWithTheirMessagesAndClearsTheSession) {
    HWND top = Create("top", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    Create("child", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top, 1);
    HWND message = CreateWindowExA(0, kClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    m_names[message] = "message";
    ASSERT_NE(nullptr, message);
    EXPECT_EQ(nullptr, GetParent(message));
    SetCapture(top);
    SetTimer(top, 1, 10, nullptr);
    PostMessageA(top, WM_USER, 0, 0);
    emu::MouseMove(40, 40);
    emu::KeyDown(VK_SHIFT);
    DWORD before = GetTickCount();
    Clear();
    emu::Reset();
    Strings ends = Journal({WM_DESTROY, WM_NCDESTROY});
    EXPECT_EQ((Strings{"top:WM_DESTROY", "child:WM_DESTROY", "child:WM_NCDESTROY", "top:WM_NCDESTROY",
                       "message:WM_DESTROY", "message:WM_NCDESTROY"}),
              ends);
    EXPECT_FALSE(IsWindow(top));
    EXPECT_FALSE(emu::HasPendingInput());
    EXPECT_EQ(0, GetAsyncKeyState(VK_SHIFT) & 0x8000);
    POINT cursor{1, 1};
    GetCursorPos(&cursor);
    EXPECT_EQ(0, cursor.x);
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(nullptr, GetFocus());
    EXPECT_EQ(nullptr, GetActiveWindow());
    EXPECT_GE(GetTickCount(), before);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    WNDCLASSA info;
    EXPECT_FALSE(GetClassInfoA(nullptr, kClass, &info));
    SetUp();
}

} // namespace
