// Timers on the virtual clock, and the painting requests that become WM_PAINT.
#include "CoreTest.h"

namespace {

using Strings = std::vector<std::string>;

class Timers : public CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        w = Create("w", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
        Pump();
        Clear();
    }
    HWND w = nullptr;
};

TEST_F(Timers, ATimerFiresOnlyWhenVirtualTimeReachesIt) {
    On(WM_TIMER, [](HWND, UINT, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        EXPECT_EQ(5u, wp);
        EXPECT_EQ(0, lp);
        return 0;
    });
    DWORD start = GetTickCount();
    EXPECT_EQ(5u, SetTimer(w, 5, 100, nullptr));
    EXPECT_EQ(Strings{}, Pump());
    emu::Wait(99);
    EXPECT_EQ(Strings{}, Pump());
    emu::Wait(1);
    EXPECT_EQ(Strings{"WM_TIMER"}, Pump());
    EXPECT_EQ(start + 100, GetTickCount());
    // Periods that passed unnoticed give one message.
    emu::Wait(350);
    EXPECT_EQ(Strings{"WM_TIMER"}, Pump());
    emu::Wait(99);
    EXPECT_EQ(Strings{}, Pump());
    emu::Wait(1);
    EXPECT_TRUE(KillTimer(w, 5));
    EXPECT_EQ(Strings{}, Pump());
    EXPECT_FALSE(KillTimer(w, 5));
}

UINT_PTR g_firedId = 0;
HWND g_firedWindow = reinterpret_cast<HWND>(1);
DWORD g_firedAt = 0;

void CALLBACK OnTimer(HWND hwnd, UINT msg, UINT_PTR id, DWORD time) {
    EXPECT_EQ(static_cast<UINT>(WM_TIMER), msg);
    g_firedWindow = hwnd;
    g_firedId = id;
    g_firedAt = time;
}

TEST_F(Timers, TimerProceduresAreCalledByDispatch) {
    UINT_PTR id = SetTimer(nullptr, 0, 50, OnTimer);
    EXPECT_NE(0u, id);
    emu::Wait(50);
    EXPECT_EQ(Strings{"WM_TIMER"}, Pump());
    EXPECT_EQ(nullptr, g_firedWindow);
    EXPECT_EQ(id, g_firedId);
    EXPECT_EQ(GetTickCount(), g_firedAt);
    EXPECT_TRUE(KillTimer(nullptr, id));

    SetTimer(w, 9, 30, OnTimer);
    emu::Wait(30);
    Pump();
    EXPECT_EQ(w, g_firedWindow);
    EXPECT_EQ(9u, g_firedId);
    EXPECT_EQ(Strings{}, Journal({WM_TIMER}));
    // A forged timer message calls nothing.
    g_firedId = 0;
    MSG forged{w, WM_TIMER, 8, reinterpret_cast<LPARAM>(&OnTimer), 0, {0, 0}};
    DispatchMessageA(&forged);
    EXPECT_EQ(0u, g_firedId);
}

TEST_F(Timers, DestroyingTheWindowEndsItsTimers) {
    SetTimer(w, 1, 10, nullptr);
    DestroyWindow(w);
    emu::Wait(100);
    EXPECT_EQ(Strings{}, Pump());
    EXPECT_EQ(0u, SetTimer(w, 1, 10, nullptr));
}

TEST_F(Timers, WaitsQueuedBetweenInputTakePlaceBetweenTheMessages) {
    // A timer set while a press is handled fires during the wait that follows the click.
    On(WM_LBUTTONDOWN, [](HWND hwnd, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        SetTimer(hwnd, 1, GetDoubleClickTime(), nullptr);
        return 0;
    });
    On(WM_TIMER, [](HWND hwnd, UINT, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
        KillTimer(hwnd, wp);
        return 0;
    });
    emu::Click(50, 50);
    emu::Wait(GetDoubleClickTime() + 100);
    emu::MouseMove(60, 60);
    EXPECT_EQ((Strings{"WM_MOUSEMOVE", "WM_LBUTTONDOWN", "WM_LBUTTONUP", "WM_TIMER", "WM_MOUSEMOVE"}),
              Pump());

    // Without the wait, the following input comes first.
    emu::Click(50, 50);
    emu::MouseMove(60, 60);
    EXPECT_EQ((Strings{"WM_MOUSEMOVE", "WM_LBUTTONDOWN", "WM_LBUTTONUP", "WM_MOUSEMOVE"}), Pump());
    emu::Wait(GetDoubleClickTime());
    EXPECT_EQ(Strings{"WM_TIMER"}, Pump());
}

class Painting : public CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        parent = Create("parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
        child = Create("child", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, parent, 1);
        Pump();
        Clear();
        On(WM_PAINT, [this](HWND hwnd, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            EXPECT_EQ(hwnd, WindowFromDC(dc));
            painted.push_back(m_names[hwnd] + " " + std::to_string(ps.rcPaint.left) + "," +
                              std::to_string(ps.rcPaint.top) + "," + std::to_string(ps.rcPaint.right) + "," +
                              std::to_string(ps.rcPaint.bottom) + (ps.fErase ? " erase" : ""));
            EndPaint(hwnd, &ps);
            return 0;
        });
    }
    HWND parent = nullptr;
    HWND child = nullptr;
    Strings painted;
};

TEST_F(Painting, InvalidAreasGatherIntoOnePaint) {
    RECT a{100, 60, 120, 70}, b{150, 20, 160, 30};
    InvalidateRect(parent, &a, FALSE);
    InvalidateRect(parent, &b, TRUE);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(parent, &update, FALSE));
    EXPECT_EQ((RECT{100, 20, 160, 70}).left, update.left);
    EXPECT_EQ(20, update.top);
    EXPECT_EQ(160, update.right);
    EXPECT_EQ(70, update.bottom);
    EXPECT_EQ(Strings{"WM_PAINT"}, Pump());
    // The class has no background brush, so WM_ERASEBKGND answers 0 and the window must erase.
    EXPECT_EQ(Strings{"parent 100,20,160,70 erase"}, painted);
    EXPECT_EQ((Strings{"parent:WM_PAINT", "parent:WM_ERASEBKGND"}), Journal());
    EXPECT_FALSE(GetUpdateRect(parent, &update, FALSE));
    EXPECT_EQ(0, update.right);
}

TEST_F(Painting, ParentsPaintBeforeChildrenAndOnlyVisibleWindowsPaint) {
    InvalidateRect(parent, nullptr, FALSE);
    // The child lies under the parent's whole client area and is painted with it.
    EXPECT_EQ((Strings{"WM_PAINT", "WM_PAINT"}), Pump());
    EXPECT_EQ((Strings{"parent 0,0,200,100", "child 0,0,50,50"}), painted);

    painted.clear();
    ShowWindow(child, SW_HIDE);
    Pump();
    painted.clear();
    InvalidateRect(child, nullptr, TRUE);
    EXPECT_EQ(Strings{}, Pump());
    ShowWindow(child, SW_SHOWNA);
    Pump();
    EXPECT_EQ(Strings{"child 0,0,50,50 erase"}, painted);
}

TEST_F(Painting, ValidatingAndPaintingNow) {
    RECT r{0, 0, 10, 10};
    InvalidateRect(parent, &r, TRUE);
    ValidateRect(parent, &r);
    EXPECT_EQ(Strings{}, Pump());

    InvalidateRect(child, nullptr, TRUE);
    EXPECT_TRUE(UpdateWindow(child));
    EXPECT_EQ(Strings{"child 0,0,50,50 erase"}, painted);
    EXPECT_EQ(Strings{}, Pump());

    // Asking for the update area with bErase erases at once.
    Clear();
    InvalidateRect(child, nullptr, TRUE);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(child, &update, TRUE));
    EXPECT_EQ(Strings{"child:WM_ERASEBKGND"}, Journal());
    painted.clear();
    Pump();
    EXPECT_EQ(Strings{"child 0,0,50,50"}, painted);

    painted.clear();
    Clear();
    EXPECT_TRUE(
        RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN));
    EXPECT_EQ((Strings{"parent:WM_ERASEBKGND", "parent:WM_PAINT", "child:WM_ERASEBKGND", "child:WM_PAINT"}),
              Journal());
    EXPECT_EQ(Strings{}, Pump());
}

TEST_F(Painting, AWindowThatDoesNotPaintIsNotAskedForever) {
    m_handlers.erase(WM_PAINT);
    On(WM_PAINT, [](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> { return 0; });
    InvalidateRect(child, nullptr, FALSE);
    EXPECT_EQ(Strings{"WM_PAINT"}, Pump());
    EXPECT_EQ(Strings{}, Pump());
    // A loop that takes WM_PAINT without dispatching it is not offered it again either.
    InvalidateRect(child, nullptr, FALSE);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(static_cast<UINT>(WM_PAINT), msg.message);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Painting, ScrollingInvalidatesTheUncoveredStripAndMovesChildren) {
    EXPECT_TRUE(ScrollWindow(parent, 0, -30, nullptr, nullptr));
    RECT update;
    EXPECT_TRUE(GetUpdateRect(parent, &update, FALSE));
    EXPECT_EQ(70, update.top);
    EXPECT_EQ(100, update.bottom);
    EXPECT_EQ(0, update.left);
    EXPECT_EQ(200, update.right);
    RECT rect;
    GetWindowRect(child, &rect);
    EXPECT_EQ(-20, rect.top);
    EXPECT_EQ((Strings{"child:WM_WINDOWPOSCHANGING", "child:WM_WINDOWPOSCHANGED", "child:WM_MOVE"}),
              Journal({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE}));
    // Within a rectangle, children stay.
    RECT area{0, 0, 100, 50};
    EXPECT_TRUE(ScrollWindow(parent, 10, 0, &area, nullptr));
    GetWindowRect(child, &rect);
    EXPECT_EQ(10, rect.left);
}

} // namespace
