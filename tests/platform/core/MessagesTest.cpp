// Sending, posting and retrieving messages, subclassing, hooks, the default procedure and window data.
#include "CoreTest.h"

#include "MessageLog.h"

namespace {

using Strings = std::vector<std::string>;

WNDPROC g_super = nullptr;

LRESULT CALLBACK Subclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    CoreTest::Current()->Note("sub:" + MessageName(msg));
    if (msg == WM_USER)
        return CallWindowProcA(g_super, hwnd, msg, wp, lp) + 100;
    return CallWindowProcA(g_super, hwnd, msg, wp, lp);
}

class Messages : public CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        a = Create("a", WS_POPUP, 0, 0, 100, 100);
        b = Create("b", WS_POPUP, 0, 0, 100, 100);
        Clear();
    }
    HWND a = nullptr;
    HWND b = nullptr;
};

TEST_F(Messages, SubclassingPutsTheNewProcedureFirst) {
    On(WM_USER, [](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> { return 5; });
    g_super =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(a, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Subclass)));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(Proc), g_super);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(Subclass), GetWindowLongPtrA(a, GWLP_WNDPROC));
    EXPECT_EQ(105, SendMessageA(a, WM_USER, 0, 0));
    EXPECT_EQ((Strings{"sub:WM_USER", "a:WM_USER"}), Journal());

    // The shared message log subclasses the same way and hands everything on.
    MessageLog log;
    log.Attach(a, "logged");
    Clear();
    EXPECT_EQ(105, SendMessageA(a, WM_USER, 1, 2));
    EXPECT_EQ((Strings{"sub:WM_USER", "a:WM_USER"}), Journal());
    EXPECT_EQ((std::vector<LoggedMessage>{{"logged", WM_USER, 1, 2}}), log.All());
    log.DetachAll();
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(Subclass), GetWindowLongPtrA(a, GWLP_WNDPROC));
}

TEST_F(Messages, SendingIsSynchronousAndReentrant) {
    On(WM_USER, [&](HWND hwnd, UINT, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
        if (hwnd == a && wp < 3)
            return 10 * SendMessageA(b, WM_USER, wp + 1, 0);
        if (hwnd == b)
            return 1 + SendMessageA(a, WM_USER, wp + 1, 0);
        return 1;
    });
    EXPECT_EQ(210, SendMessageA(a, WM_USER, 0, 0));
    EXPECT_EQ((Strings{"a:WM_USER", "b:WM_USER", "a:WM_USER", "b:WM_USER", "a:WM_USER"}), Journal());
    EXPECT_FALSE(InSendMessage());
}

TEST_F(Messages, PostedMessagesWaitForTheLoopSentOnesDoNot) {
    EXPECT_TRUE(PostMessageA(a, WM_USER, 1, 0));
    EXPECT_EQ(0, SendMessageA(b, WM_USER + 1, 0, 0));
    EXPECT_EQ(Strings{"b:WM_USER+1"}, Journal());
    EXPECT_TRUE(PostMessageA(b, WM_USER + 2, 0, 0));
    EXPECT_EQ((Strings{"WM_USER", "WM_USER+2"}), Pump());
    EXPECT_EQ((Strings{"b:WM_USER+1", "a:WM_USER", "b:WM_USER+2"}), Journal());
}

TEST_F(Messages, RetrievalFollowsThePlatformPriorities) {
    SetFocus(a);
    SetTimer(a, 1, 10, nullptr);
    emu::Wait(50);
    InvalidateRect(b, nullptr, TRUE);
    ShowWindow(b, SW_SHOWNA);
    emu::KeyDown('A');
    PostMessageA(b, WM_USER, 0, 0);
    PostQuitMessage(3);
    PostMessageA(a, WM_USER + 1, 0, 0);
    // Posted messages first, whenever they came; then input; then the quit; painting and timers last.
    Strings order;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        order.push_back(MessageName(msg.message));
        if (msg.message == WM_QUIT) {
            EXPECT_EQ(3u, msg.wParam);
            continue;
        }
        DispatchMessageA(&msg);
        if (msg.message == WM_TIMER)
            KillTimer(a, 1);
    }
    EXPECT_EQ((Strings{"WM_USER", "WM_USER+1", "WM_KEYDOWN", "WM_QUIT", "WM_PAINT", "WM_TIMER"}), order);
}

TEST_F(Messages, FiltersSelectWindowsAndRanges) {
    HWND child = Create("child", WS_CHILD, 0, 0, 10, 10, a, 1);
    PostMessageA(b, WM_USER, 0, 0);
    PostMessageA(child, WM_USER + 1, 0, 0);
    PostMessageA(nullptr, WM_APP, 0, 0);
    PostMessageA(a, WM_KEYDOWN, 0, 0);
    MSG msg;
    // A window's filter takes its children's messages too.
    ASSERT_TRUE(PeekMessageA(&msg, a, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(child, msg.hwnd);
    EXPECT_TRUE(PeekMessageA(&msg, a, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    EXPECT_EQ(static_cast<UINT>(WM_KEYDOWN), msg.message);
    EXPECT_FALSE(PeekMessageA(&msg, a, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
    EXPECT_EQ(nullptr, msg.hwnd);
    EXPECT_EQ(static_cast<UINT>(WM_APP), msg.message);
    EXPECT_EQ(0, DispatchMessageA(&msg));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 1, WM_USER + 1, PM_REMOVE));
    EXPECT_EQ(child, msg.hwnd);
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(b, msg.hwnd);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));

    DestroyWindow(b);
    EXPECT_EQ(-1, GetMessageA(&msg, b, 0, 0));
    EXPECT_FALSE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE));
}

TEST_F(Messages, QuitEndsThePumpAndStaysRetrievable) {
    PostMessageA(a, WM_USER, 0, 0);
    PostQuitMessage(7);
    PostMessageA(a, WM_USER + 1, 0, 0);
    EXPECT_EQ(2, emu::PumpMessages());
    MSG msg;
    // WM_QUIT comes whatever the filter.
    ASSERT_FALSE(GetMessageA(&msg, a, WM_KEYFIRST, WM_KEYLAST));
    EXPECT_EQ(static_cast<UINT>(WM_QUIT), msg.message);
    EXPECT_EQ(7u, msg.wParam);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(Messages, AnEmptyQueueEndsGetMessageAndWaitMessageAsACancel) {
    MSG msg{};
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(static_cast<UINT>(WM_QUIT), msg.message);
    EXPECT_EQ(0u, msg.wParam);

    // A modal loop that holds the capture loses it first, and stops on that.
    SetCapture(a);
    Clear();
    int turns = 0;
    while (GetCapture() == a && GetMessageA(&msg, nullptr, 0, 0)) {
        ++turns;
        DispatchMessageA(&msg);
    }
    EXPECT_EQ(0, turns);
    EXPECT_EQ(Strings{"a:WM_CAPTURECHANGED"}, Journal());
    EXPECT_EQ(nullptr, GetCapture());

    SetCapture(b);
    Clear();
    EXPECT_TRUE(WaitMessage());
    EXPECT_EQ(Strings{"b:WM_CAPTURECHANGED"}, Journal());
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    // Without a capture, the wait leaves a WM_QUIT behind so that a peeking loop ends too.
    EXPECT_TRUE(WaitMessage());
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(static_cast<UINT>(WM_QUIT), msg.message);

    // Anything waiting to be retrieved lets WaitMessage return at once.
    PostMessageA(a, WM_USER, 0, 0);
    SetCapture(a);
    EXPECT_TRUE(WaitMessage());
    EXPECT_EQ(a, GetCapture());
}

TEST_F(Messages, StaleAndNullWindowsForMessages) {
    DestroyWindow(b);
    Clear();
    SetLastError(0);
    EXPECT_EQ(0, SendMessageA(b, WM_USER, 0, 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE), GetLastError());
    EXPECT_FALSE(PostMessageA(b, WM_USER, 0, 0));
    EXPECT_FALSE(PostMessageA(reinterpret_cast<HWND>(0x12345678), WM_USER, 0, 0));
    EXPECT_EQ(0, SendMessageA(nullptr, WM_USER, 0, 0));
    EXPECT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_APP, 1, 2));
    EXPECT_FALSE(PostThreadMessageA(GetCurrentThreadId() + 1, WM_APP, 1, 2));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(nullptr, msg.hwnd);
    EXPECT_EQ(2, msg.lParam);
    MSG stale{b, WM_USER, 0, 0, 0, {0, 0}};
    EXPECT_EQ(0, DispatchMessageA(&stale));
    EXPECT_EQ(Strings{}, Journal());
    DWORD pid = 0;
    EXPECT_EQ(GetCurrentThreadId(), GetWindowThreadProcessId(a, &pid));
    EXPECT_NE(0u, pid);
    EXPECT_EQ(0u, GetWindowThreadProcessId(b, nullptr));
}

TEST_F(Messages, PostedToADestroyedWindowIsDropped) {
    PostMessageA(b, WM_USER, 0, 0);
    PostMessageA(a, WM_USER + 1, 0, 0);
    DestroyWindow(b);
    Clear();
    EXPECT_EQ(Strings{"WM_USER+1"}, Pump());
}

// Hooks record into the journal.
HHOOK g_first = nullptr;
HHOOK g_second = nullptr;
bool g_unhookInside = false;

LRESULT CALLBACK FirstGetMessage(int code, WPARAM wp, LPARAM lp) {
    auto* msg = reinterpret_cast<MSG*>(lp);
    CoreTest::Current()->Note("first:" + MessageName(msg->message) + (wp == PM_REMOVE ? " remove" : " look"));
    if (msg->message == WM_USER)
        msg->wParam = 99;
    return CallNextHookEx(g_first, code, wp, lp);
}

LRESULT CALLBACK SecondGetMessage(int code, WPARAM wp, LPARAM lp) {
    auto* msg = reinterpret_cast<MSG*>(lp);
    CoreTest::Current()->Note("second:" + MessageName(msg->message));
    if (g_unhookInside)
        UnhookWindowsHookEx(g_second);
    return CallNextHookEx(nullptr, code, wp, lp);
}

TEST_F(Messages, GetMessageHooksRunNewestFirstAndMayChangeTheMessage) {
    g_first = SetWindowsHookExA(WH_GETMESSAGE, FirstGetMessage, nullptr, GetCurrentThreadId());
    g_second = SetWindowsHookExA(WH_GETMESSAGE, SecondGetMessage, nullptr, GetCurrentThreadId());
    PostMessageA(a, WM_USER, 1, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    g_unhookInside = true;
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(99u, msg.wParam);
    PostMessageA(a, WM_USER + 1, 1, 0);
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ((Strings{"second:WM_USER", "first:WM_USER look", "second:WM_USER", "first:WM_USER remove",
                       "first:WM_USER+1 remove"}),
              Journal());
    EXPECT_FALSE(UnhookWindowsHookEx(g_second));
    EXPECT_TRUE(UnhookWindowsHookEx(g_first));
    g_unhookInside = false;
}

LRESULT CALLBACK CallWndProcHook(int code, WPARAM wp, LPARAM lp) {
    auto* cwp = reinterpret_cast<CWPSTRUCT*>(lp);
    if (cwp->message >= WM_USER)
        CoreTest::Current()->Note("callwndproc:" + MessageName(cwp->message) + (wp ? " sent" : ""));
    return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK MsgFilterHook(int code, WPARAM wp, LPARAM lp) {
    auto* msg = reinterpret_cast<MSG*>(lp);
    CoreTest::Current()->Note("filter:" + std::to_string(code) + ":" + MessageName(msg->message));
    return msg->message == WM_USER ? 1 : CallNextHookEx(nullptr, code, wp, lp);
}

TEST_F(Messages, CallWndProcSeesSentMessagesAndMsgFilterSeesModalLoops) {
    HHOOK cwp = SetWindowsHookExA(WH_CALLWNDPROC, CallWndProcHook, nullptr, GetCurrentThreadId());
    HHOOK filter = SetWindowsHookExA(WH_MSGFILTER, MsgFilterHook, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, cwp);
    SendMessageA(a, WM_USER, 0, 0);
    PostMessageA(a, WM_USER + 1, 0, 0);
    Pump();
    MSG msg{a, WM_USER, 0, 0, 0, {0, 0}};
    EXPECT_TRUE(CallMsgFilterA(&msg, MSGF_MENU));
    msg.message = WM_USER + 1;
    EXPECT_FALSE(CallMsgFilterA(&msg, MSGF_DIALOGBOX));
    EXPECT_EQ((Strings{"callwndproc:WM_USER sent", "a:WM_USER", "a:WM_USER+1", "filter:2:WM_USER",
                       "filter:0:WM_USER+1"}),
              Journal());
    UnhookWindowsHookEx(cwp);
    UnhookWindowsHookEx(filter);
    EXPECT_FALSE(CallMsgFilterA(&msg, MSGF_MENU));
    EXPECT_EQ(nullptr, SetWindowsHookExA(12345, CallWndProcHook, nullptr, GetCurrentThreadId()));
    EXPECT_EQ(nullptr, SetWindowsHookExA(WH_CBT, nullptr, nullptr, GetCurrentThreadId()));
}

TEST_F(Messages, DefaultProcedureClosesAndPassesContextMenusUp) {
    HWND child = Create("child", WS_CHILD | WS_VISIBLE, 10, 20, 50, 50, a, 3);
    ShowWindow(a, SW_SHOWNA);
    SetWindowPos(a, nullptr, 100, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    LPARAM menuAt = 0;
    On(WM_CONTEXTMENU, [&](HWND hwnd, UINT, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        if (hwnd == a) {
            EXPECT_EQ(child, reinterpret_cast<HWND>(wp));
            menuAt = lp;
        }
        return std::nullopt;
    });
    Clear();
    SendMessageA(child, WM_RBUTTONUP, 0, MAKELPARAM(5, 6));
    EXPECT_EQ((Strings{"child:WM_RBUTTONUP", "child:WM_CONTEXTMENU", "a:WM_CONTEXTMENU"}), Journal());
    EXPECT_EQ(MAKELPARAM(115, 226), menuAt);

    Clear();
    SendMessageA(child, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ((Strings{"child:WM_CLOSE", "a:WM_PARENTNOTIFY"}), Journal({WM_CLOSE, WM_PARENTNOTIFY}));

    SendMessageA(a, WM_SETREDRAW, FALSE, 0);
    EXPECT_FALSE(IsWindowVisible(a));
    SendMessageA(a, WM_SETREDRAW, TRUE, 0);
    EXPECT_TRUE(IsWindowVisible(a));
}

TEST_F(Messages, StyleChangesAreAnnouncedAndMayBeAltered) {
    On(WM_STYLECHANGING, [](HWND, UINT, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        if (wp == static_cast<WPARAM>(GWL_STYLE))
            reinterpret_cast<STYLESTRUCT*>(lp)->styleNew |= WS_BORDER;
        return 0;
    });
    DWORD seenOld = 0, seenNew = 0;
    On(WM_STYLECHANGED, [&](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        seenOld = reinterpret_cast<STYLESTRUCT*>(lp)->styleOld;
        seenNew = reinterpret_cast<STYLESTRUCT*>(lp)->styleNew;
        return 0;
    });
    LONG old = SetWindowLongA(a, GWL_STYLE, WS_POPUP | WS_TABSTOP);
    EXPECT_EQ(static_cast<LONG>(WS_POPUP | WS_CLIPSIBLINGS) & ~WS_CLIPSIBLINGS,
              old & ~static_cast<LONG>(WS_CLIPSIBLINGS));
    EXPECT_EQ(static_cast<LONG>(WS_POPUP | WS_TABSTOP | WS_BORDER), GetWindowLongA(a, GWL_STYLE));
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_TABSTOP | WS_BORDER), seenNew);
    EXPECT_EQ(static_cast<DWORD>(old), seenOld);
    SetWindowLongA(a, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    EXPECT_EQ(static_cast<LONG>(WS_EX_CLIENTEDGE), GetWindowLongA(a, GWL_EXSTYLE));
    EXPECT_EQ((Strings{"a:WM_STYLECHANGING", "a:WM_STYLECHANGED", "a:WM_STYLECHANGING", "a:WM_STYLECHANGED"}),
              Journal());
}

TEST_F(Messages, WindowLongsAndProperties) {
    EXPECT_EQ(0, SetWindowLongPtrA(a, GWLP_USERDATA, 1234));
    EXPECT_EQ(1234, GetWindowLongPtrA(a, GWLP_USERDATA));
    EXPECT_EQ(0, GetWindowLongPtrA(a, 0));
    EXPECT_EQ(1413u, GetLastError());

    HWND owned = Create("owned", WS_POPUP, 0, 0, 10, 10);
    SetWindowLongPtrA(owned, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(a));
    EXPECT_EQ(a, GetWindow(owned, GW_OWNER));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(a), GetWindowLongPtrA(owned, GWLP_HWNDPARENT));

    int data = 0;
    EXPECT_TRUE(SetPropA(a, "Target", &data));
    EXPECT_EQ(&data, GetPropA(a, "TARGET"));
    EXPECT_TRUE(SetPropA(a, MAKEINTATOM(0xC123), &owned));
    EXPECT_EQ(&owned, GetPropA(a, MAKEINTATOM(0xC123)));
    EXPECT_EQ(nullptr, GetPropA(b, "Target"));
    EXPECT_EQ(&data, RemovePropA(a, "target"));
    EXPECT_EQ(nullptr, GetPropA(a, "Target"));
    SetPropA(a, "Target", &data);
    DestroyWindow(a);
    EXPECT_EQ(nullptr, GetPropA(a, "Target"));
    EXPECT_FALSE(SetPropA(a, "Target", &data));
}

TEST_F(Messages, ARegisteredMessageHasOneNumberForAName) {
    UINT first = RegisterWindowMessageA("Tal.Registered.One");
    EXPECT_GE(first, 0xC000u);
    EXPECT_LE(first, 0xFFFFu);
    EXPECT_EQ(first, RegisterWindowMessageA("TAL.registered.one"));
    UINT second = RegisterWindowMessageA("Tal.Registered.Two");
    EXPECT_GE(second, 0xC000u);
    EXPECT_NE(first, second);
    SetLastError(0);
    EXPECT_EQ(0u, RegisterWindowMessageA(""));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
}

} // namespace
