// Creation and destruction of windows in the platform's message order, and window classes.
#include "CoreTest.h"

#include <cstdio>

namespace {

using Strings = std::vector<std::string>;

int g_refuse = -1; // the CBT code that the hook refuses
HHOOK g_hook = nullptr;

LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam) {
    static const std::map<int, std::string> names{{HCBT_CREATEWND, "HCBT_CREATEWND"},
                                                  {HCBT_DESTROYWND, "HCBT_DESTROYWND"},
                                                  {HCBT_ACTIVATE, "HCBT_ACTIVATE"},
                                                  {HCBT_SETFOCUS, "HCBT_SETFOCUS"}};
    if (CoreTest* t = CoreTest::Current(); t && names.count(code))
        t->Note("hook:" + names.at(code));
    if (code == g_refuse)
        return 1;
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

class Creation : public CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        g_refuse = -1;
        g_hook = SetWindowsHookExA(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
        ASSERT_NE(nullptr, g_hook);
    }
    void TearDown() override {
        UnhookWindowsHookEx(g_hook);
        CoreTest::TearDown();
    }
};

TEST_F(Creation, VisibleTopLevelWindowIsCreatedShownAndActivatedInOrder) {
    HWND top = Create("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 20, 300, 200);
    ASSERT_NE(nullptr, top);
    // The hook may still move the window, so it comes first; the size limits are asked before WM_NCCREATE.
    // The window is shown after WM_CREATE, and activated while it is being shown.
    EXPECT_EQ(
        (Strings{"hook:HCBT_CREATEWND", "top:WM_GETMINMAXINFO", "top:WM_NCCREATE", "top:WM_NCCALCSIZE",
                 "top:WM_CREATE", "top:WM_SIZE", "top:WM_MOVE", "top:WM_SHOWWINDOW",
                 "top:WM_WINDOWPOSCHANGING", "hook:HCBT_ACTIVATE", "top:WM_ACTIVATEAPP", "top:WM_NCACTIVATE",
                 "top:WM_ACTIVATE", "hook:HCBT_SETFOCUS", "top:WM_SETFOCUS", "top:WM_WINDOWPOSCHANGED"}),
        Journal());
    EXPECT_EQ(top, GetActiveWindow());
    EXPECT_EQ(top, GetFocus());
    EXPECT_TRUE(IsWindowVisible(top));
}

TEST_F(Creation, ChildIsAnnouncedToItsParentsBeforeItIsShown) {
    HWND top = Create("top", WS_POPUP, 0, 0, 400, 300);
    HWND mid = Create("mid", WS_CHILD, 10, 10, 200, 200, top, 7);
    Clear();
    std::vector<std::pair<WPARAM, LPARAM>> notices;
    On(WM_PARENTNOTIFY, [&](HWND, UINT, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        notices.emplace_back(wp, lp);
        return std::nullopt;
    });
    HWND leaf = Create("leaf", WS_CHILD | WS_VISIBLE, 5, 5, 50, 40, mid, 9);
    ASSERT_NE(nullptr, leaf);
    EXPECT_EQ((Strings{"hook:HCBT_CREATEWND", "leaf:WM_NCCREATE", "leaf:WM_NCCALCSIZE", "leaf:WM_CREATE",
                       "leaf:WM_SIZE", "leaf:WM_MOVE", "mid:WM_PARENTNOTIFY", "top:WM_PARENTNOTIFY",
                       "leaf:WM_SHOWWINDOW", "leaf:WM_WINDOWPOSCHANGING", "leaf:WM_WINDOWPOSCHANGED"}),
              Journal());
    ASSERT_EQ(2u, notices.size());
    EXPECT_EQ(MAKEWPARAM(WM_CREATE, 9), notices[0].first);
    EXPECT_EQ(reinterpret_cast<LPARAM>(leaf), notices[1].second);
    EXPECT_EQ(leaf, GetDlgItem(mid, 9));
    EXPECT_EQ(9, GetDlgCtrlID(leaf));
    EXPECT_EQ(nullptr, GetDlgItem(top, 9));

    Clear();
    HWND quiet = Create("quiet", WS_CHILD, 0, 0, 10, 10, mid, 10, WS_EX_NOPARENTNOTIFY);
    ASSERT_NE(nullptr, quiet);
    EXPECT_EQ(Strings{}, Journal({WM_PARENTNOTIFY}));
    DestroyWindow(quiet);
    EXPECT_EQ(Strings{}, Journal({WM_PARENTNOTIFY}));
}

TEST_F(Creation, CreateStructAndParametersReachTheWindow) {
    HWND top = Create("top", WS_POPUP, 0, 0, 100, 100);
    int cookie = 0;
    const CREATESTRUCTA* seen = nullptr;
    CREATESTRUCTA copy{};
    On(WM_CREATE, [&](HWND, UINT, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        seen = reinterpret_cast<const CREATESTRUCTA*>(lp);
        copy = *seen;
        return 0;
    });
    HWND child = CreateWindowExA(WS_EX_CLIENTEDGE, kClass, "label", WS_CHILD | WS_BORDER, 3, 4, 50, 60, top,
                                 reinterpret_cast<HMENU>(42), nullptr, &cookie);
    ASSERT_NE(nullptr, child);
    ASSERT_NE(nullptr, seen);
    EXPECT_EQ(&cookie, copy.lpCreateParams);
    EXPECT_EQ(top, copy.hwndParent);
    EXPECT_EQ(reinterpret_cast<HMENU>(42), copy.hMenu);
    EXPECT_EQ(3, copy.x);
    EXPECT_EQ(4, copy.y);
    EXPECT_EQ(50, copy.cx);
    EXPECT_EQ(60, copy.cy);
    EXPECT_EQ(static_cast<LONG>(WS_CHILD | WS_BORDER), copy.style);
    EXPECT_EQ(static_cast<DWORD>(WS_EX_CLIENTEDGE), copy.dwExStyle);
    char text[16];
    EXPECT_EQ(5, GetWindowTextA(child, text, sizeof text));
    EXPECT_STREQ("label", text);
    EXPECT_EQ(42, GetWindowLongPtrA(child, GWLP_ID));
    EXPECT_EQ(top, GetParent(child));
}

TEST_F(Creation, MinusOneFromCreateDestroysTheWindowAndFails) {
    HWND top = Create("top", WS_POPUP, 0, 0, 100, 100);
    Clear();
    HWND created = nullptr;
    On(WM_CREATE, [&](HWND hwnd, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        created = hwnd;
        return -1;
    });
    HWND child = Create("child", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top, 1);
    EXPECT_EQ(nullptr, child);
    // The parent never heard of the child, so it is not told of its end either.
    EXPECT_EQ((Strings{"hook:HCBT_CREATEWND", "child:WM_NCCREATE", "child:WM_NCCALCSIZE", "child:WM_CREATE",
                       "hook:HCBT_DESTROYWND", "child:WM_DESTROY", "child:WM_NCDESTROY"}),
              Journal());
    EXPECT_FALSE(IsWindow(created));
    EXPECT_EQ(nullptr, GetWindow(top, GW_CHILD));
}

TEST_F(Creation, FalseFromNcCreateOrFromTheHookFails) {
    On(WM_NCCREATE, [](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> { return FALSE; });
    EXPECT_EQ(nullptr, Create("a", WS_POPUP, 0, 0, 10, 10));
    EXPECT_EQ((Strings{"hook:HCBT_CREATEWND", "a:WM_NCCREATE", "a:WM_NCDESTROY"}), Journal());

    m_handlers.clear();
    Clear();
    g_refuse = HCBT_CREATEWND;
    EXPECT_EQ(nullptr, Create("b", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10));
    EXPECT_EQ(Strings{"hook:HCBT_CREATEWND"}, Journal());
    EXPECT_EQ(nullptr, GetTopWindow(nullptr));
}

TEST_F(Creation, DestroyingSendsDestroyParentFirstAndNcDestroyChildrenFirst) {
    HWND top = Create("top", WS_POPUP, 0, 0, 400, 300);
    HWND a = Create("a", WS_CHILD, 0, 0, 100, 100, top, 1);
    Create("a1", WS_CHILD, 0, 0, 10, 10, a, 11);
    Create("a2", WS_CHILD, 0, 0, 10, 10, a, 12);
    Create("b", WS_CHILD, 100, 0, 100, 100, top, 2);
    Clear();
    bool aliveDuringDestroy = false;
    On(WM_NCDESTROY, [&](HWND hwnd, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        aliveDuringDestroy = IsWindow(hwnd);
        return std::nullopt;
    });
    EXPECT_TRUE(DestroyWindow(top));
    EXPECT_EQ((Strings{"hook:HCBT_DESTROYWND", "top:WM_DESTROY", "a:WM_DESTROY", "a1:WM_DESTROY",
                       "a2:WM_DESTROY", "b:WM_DESTROY", "a1:WM_NCDESTROY", "a2:WM_NCDESTROY",
                       "a:WM_NCDESTROY", "b:WM_NCDESTROY", "top:WM_NCDESTROY"}),
              Journal());
    EXPECT_TRUE(aliveDuringDestroy);
    EXPECT_FALSE(IsWindow(top));
    EXPECT_FALSE(IsWindow(a));
}

TEST_F(Creation, DestroyingAVisibleChildTellsTheParentThenHidesIt) {
    HWND top = Create("top", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300);
    HWND child = Create("child", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, top, 5);
    Clear();
    EXPECT_TRUE(DestroyWindow(child));
    EXPECT_EQ((Strings{"hook:HCBT_DESTROYWND", "top:WM_PARENTNOTIFY", "child:WM_SHOWWINDOW",
                       "child:WM_WINDOWPOSCHANGING", "child:WM_WINDOWPOSCHANGED", "child:WM_DESTROY",
                       "child:WM_NCDESTROY"}),
              Journal());
    // The place where the child was must be painted again.
    RECT update;
    EXPECT_TRUE(GetUpdateRect(top, &update, FALSE));
}

TEST_F(Creation, TheHookCanKeepAWindowAlive) {
    HWND top = Create("top", WS_POPUP, 0, 0, 10, 10);
    g_refuse = HCBT_DESTROYWND;
    EXPECT_FALSE(DestroyWindow(top));
    EXPECT_TRUE(IsWindow(top));
    EXPECT_EQ(Strings{}, Journal({WM_DESTROY}));
}

TEST_F(Creation, DestroyingTheFocusAndCaptureWindowReleasesThemFirst) {
    HWND top = Create("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300);
    HWND child = Create("child", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, top, 5);
    SetFocus(child);
    SetCapture(child);
    Clear();
    DestroyWindow(child);
    EXPECT_EQ((Strings{"child:WM_KILLFOCUS", "top:WM_SETFOCUS", "child:WM_CAPTURECHANGED", "child:WM_DESTROY",
                       "child:WM_NCDESTROY"}),
              Journal({WM_KILLFOCUS, WM_SETFOCUS, WM_CAPTURECHANGED, WM_DESTROY, WM_NCDESTROY}));
    EXPECT_EQ(top, GetFocus());
    EXPECT_EQ(nullptr, GetCapture());

    Clear();
    DestroyWindow(top);
    EXPECT_EQ((Strings{"top:WM_NCACTIVATE", "top:WM_ACTIVATE", "top:WM_ACTIVATEAPP", "top:WM_KILLFOCUS",
                       "top:WM_DESTROY", "top:WM_NCDESTROY"}),
              Journal({WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP, WM_KILLFOCUS, WM_DESTROY, WM_NCDESTROY}));
    EXPECT_EQ(nullptr, GetFocus());
    EXPECT_EQ(nullptr, GetActiveWindow());
}

TEST_F(Creation, OwnedWindowsGoBeforeTheirOwnerAndTheOwnerIsActivatedAgain) {
    HWND owner = Create("owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300);
    HWND popup = Create("popup", WS_POPUP | WS_VISIBLE, 50, 50, 100, 100, owner);
    EXPECT_EQ(owner, GetParent(popup));
    EXPECT_EQ(owner, GetWindow(popup, GW_OWNER));
    EXPECT_EQ(popup, GetActiveWindow());
    Clear();
    DestroyWindow(popup);
    EXPECT_EQ(owner, GetActiveWindow());
    EXPECT_EQ(owner, GetFocus());

    popup = Create("popup", WS_POPUP, 50, 50, 100, 100, owner);
    Clear();
    DestroyWindow(owner);
    EXPECT_EQ((Strings{"popup:WM_DESTROY", "popup:WM_NCDESTROY", "owner:WM_DESTROY", "owner:WM_NCDESTROY"}),
              Journal({WM_DESTROY, WM_NCDESTROY}));
    EXPECT_FALSE(IsWindow(popup));
}

TEST_F(Creation, DestroyingFromInsideHandlersIsSafe) {
    HWND top = Create("top", WS_POPUP, 0, 0, 400, 300);
    HWND a = Create("a", WS_CHILD, 0, 0, 100, 100, top, 1);
    HWND b = Create("b", WS_CHILD, 0, 0, 100, 100, top, 2);
    // a's end takes its sibling b along, and a asks for its own end again.
    On(WM_DESTROY, [&](HWND hwnd, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (hwnd == a) {
            EXPECT_TRUE(DestroyWindow(b));
            EXPECT_TRUE(DestroyWindow(a));
        }
        return 0;
    });
    Clear();
    EXPECT_TRUE(DestroyWindow(top));
    EXPECT_EQ((Strings{"top:WM_DESTROY", "a:WM_DESTROY", "b:WM_DESTROY", "b:WM_NCDESTROY", "a:WM_NCDESTROY",
                       "top:WM_NCDESTROY"}),
              Journal({WM_DESTROY, WM_NCDESTROY}));

    // A window that destroys itself while handling a message it was sent.
    HWND self = Create("self", WS_POPUP, 0, 0, 10, 10);
    On(WM_USER, [](HWND hwnd, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        DestroyWindow(hwnd);
        return IsWindow(hwnd) ? 1 : 2;
    });
    EXPECT_EQ(2, SendMessageA(self, WM_USER, 0, 0));
    EXPECT_FALSE(IsWindow(self));
    EXPECT_EQ(0, SendMessageA(self, WM_USER, 0, 0));
}

TEST_F(Creation, WindowTextGoesThroughMessages) {
    HWND top = Create("top", WS_POPUP, 0, 0, 10, 10);
    Clear();
    EXPECT_TRUE(SetWindowTextA(top, "Hello world"));
    EXPECT_EQ(11, GetWindowTextLengthA(top));
    char small[6];
    EXPECT_EQ(5, GetWindowTextA(top, small, sizeof small));
    EXPECT_STREQ("Hello", small);
    EXPECT_EQ((Strings{"top:WM_SETTEXT", "top:WM_GETTEXTLENGTH", "top:WM_GETTEXT"}), Journal());
    // A window that keeps its own text answers for it.
    On(WM_GETTEXT, [](HWND, UINT, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        std::snprintf(reinterpret_cast<char*>(lp), wp, "%s", "mine");
        return 4;
    });
    char text[16];
    EXPECT_EQ(4, GetWindowTextA(top, text, sizeof text));
    EXPECT_STREQ("mine", text);
}

TEST_F(Creation, ClassesBelongToTheirModuleAndAreForgottenOnReset) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = kClass;
    SetLastError(0);
    EXPECT_EQ(0, RegisterClassA(&wc));
    EXPECT_EQ(static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS), GetLastError());

    WNDCLASSEXA ex{};
    ex.cbSize = sizeof ex;
    ex.style = CS_DBLCLKS;
    ex.lpfnWndProc = DefWindowProcA;
    ex.cbWndExtra = 2 * sizeof(LONG_PTR);
    ex.lpszClassName = "Extra";
    ATOM atom = RegisterClassExA(&ex);
    ASSERT_NE(0, atom);
    WNDCLASSA info{};
    EXPECT_TRUE(GetClassInfoA(nullptr, "extra", &info));
    EXPECT_EQ(static_cast<UINT>(CS_DBLCLKS), info.style);
    EXPECT_EQ(static_cast<int>(2 * sizeof(LONG_PTR)), info.cbWndExtra);

    HWND w =
        CreateWindowExA(0, MAKEINTATOM(atom), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, w);
    char name[16];
    EXPECT_EQ(5, GetClassNameA(w, name, sizeof name));
    EXPECT_STREQ("Extra", name);
    EXPECT_EQ(static_cast<DWORD>(CS_DBLCLKS), GetClassLongA(w, GCL_STYLE));
    EXPECT_EQ(0, SetWindowLongPtrA(w, static_cast<int>(sizeof(LONG_PTR)), 77));
    EXPECT_EQ(77, GetWindowLongPtrA(w, static_cast<int>(sizeof(LONG_PTR))));
    SetLastError(0);
    EXPECT_EQ(0, GetWindowLongPtrA(w, static_cast<int>(2 * sizeof(LONG_PTR))));
    EXPECT_EQ(1413u, GetLastError());
    EXPECT_FALSE(UnregisterClassA("Extra", nullptr));
    DestroyWindow(w);
    EXPECT_TRUE(UnregisterClassA("Extra", nullptr));
    SetLastError(0);
    EXPECT_EQ(nullptr,
              CreateWindowExA(0, "Extra", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS), GetLastError());

    // A global class of the emulation itself survives a reset; the test's own classes do not.
    HMODULE emulation = nullptr;
    ASSERT_TRUE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                   reinterpret_cast<LPCSTR>(&DefWindowProcA), &emulation));
    ex.style = CS_GLOBALCLASS;
    ex.hInstance = emulation;
    ex.lpszClassName = "CoreSystemLike";
    if (!GetClassInfoExA(nullptr, "CoreSystemLike", &ex)) {
        ASSERT_NE(0, RegisterClassExA(&ex));
    }
    emu::Reset();
    EXPECT_TRUE(GetClassInfoExA(nullptr, "CoreSystemLike", &ex));
    EXPECT_FALSE(GetClassInfoA(nullptr, kClass, &info));
    SetUp();
}

TEST_F(Creation, ChildWithoutParentAndUnknownParentFail) {
    SetLastError(0);
    EXPECT_EQ(nullptr, Create("orphan", WS_CHILD, 0, 0, 10, 10));
    EXPECT_EQ(1406u, GetLastError());
    HWND gone = Create("gone", WS_POPUP, 0, 0, 10, 10);
    DestroyWindow(gone);
    SetLastError(0);
    EXPECT_EQ(nullptr, Create("child", WS_CHILD, 0, 0, 10, 10, gone, 1));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE), GetLastError());
}

} // namespace
