// Simulated mouse and keyboard input, turned into messages by the message loop.
#include "CoreTest.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdio>

namespace {

using Strings = std::vector<std::string>;

class Input : public CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        // A popup has no frame, so its client area starts at its corner: (100, 100) on the screen.
        top = Create("top", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, nullptr, 0, 0, kDblClass);
        left = Create("left", WS_CHILD | WS_VISIBLE, 10, 10, 100, 100, top, 1);
        right = Create("right", WS_CHILD | WS_VISIBLE, 200, 10, 100, 100, top, 2, 0, kDblClass);
        On(WM_MOUSEMOVE,
           [this](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return Point(hwnd, msg, wp, lp); });
        On(WM_LBUTTONDOWN,
           [this](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return Point(hwnd, msg, wp, lp); });
        On(WM_LBUTTONUP,
           [this](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return Point(hwnd, msg, wp, lp); });
        // Start painted and inactive, as after the user switched to another application.
        Pump();
        SetActiveWindow(nullptr);
        Clear();
    }
    // Writes where a mouse message happened and with which keys.
    std::optional<LRESULT> Point(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        points.push_back(m_names[hwnd] + ":" + MessageName(msg) + "(" + std::to_string(GET_X_LPARAM(lp)) +
                         "," + std::to_string(GET_Y_LPARAM(lp)) + ")" + std::to_string(wp));
        return std::nullopt;
    }
    HWND top = nullptr;
    HWND left = nullptr;
    HWND right = nullptr;
    Strings points;
};

TEST_F(Input, MouseMessagesGoToTheWindowUnderTheCursorInItsClientCoordinates) {
    emu::MouseMove(150, 160);
    emu::MouseMove(450, 120);
    EXPECT_TRUE(emu::HasPendingInput());
    EXPECT_EQ((Strings{"WM_MOUSEMOVE", "WM_MOUSEMOVE"}), Pump());
    EXPECT_FALSE(emu::HasPendingInput());
    EXPECT_EQ((Strings{"left:WM_MOUSEMOVE(40,50)0", "top:WM_MOUSEMOVE(350,20)0"}), points);
    // The hit test finds the window; the cursor is asked for, the parent first.
    EXPECT_EQ((Strings{"left:WM_NCHITTEST", "left:WM_SETCURSOR", "top:WM_SETCURSOR", "left:WM_MOUSEMOVE",
                       "top:WM_NCHITTEST", "top:WM_SETCURSOR", "top:WM_MOUSEMOVE"}),
              Journal());
    EXPECT_EQ(left, WindowFromPoint(POINT{150, 160}));
    EXPECT_EQ(nullptr, WindowFromPoint(POINT{50, 50}));
}

TEST_F(Input, APressOverAnInactiveWindowActivatesItFirst) {
    emu::Click(150, 160);
    Pump();
    EXPECT_EQ((Strings{"left:WM_NCHITTEST", "left:WM_SETCURSOR", "top:WM_SETCURSOR", "left:WM_MOUSEMOVE",
                       "left:WM_NCHITTEST", "top:WM_PARENTNOTIFY", "left:WM_MOUSEACTIVATE",
                       "top:WM_MOUSEACTIVATE", "top:WM_ACTIVATEAPP", "top:WM_NCACTIVATE", "top:WM_ACTIVATE",
                       "top:WM_SETFOCUS", "left:WM_SETCURSOR", "top:WM_SETCURSOR", "left:WM_LBUTTONDOWN",
                       "left:WM_NCHITTEST", "left:WM_SETCURSOR", "top:WM_SETCURSOR", "left:WM_LBUTTONUP"}),
              Journal());
    EXPECT_EQ(
        (Strings{"left:WM_MOUSEMOVE(40,50)0", "left:WM_LBUTTONDOWN(40,50)1", "left:WM_LBUTTONUP(40,50)0"}),
        points);
    EXPECT_EQ(top, GetActiveWindow());

    // Once active, a press asks nothing more.
    Clear();
    emu::Click(150, 160);
    Pump();
    EXPECT_EQ(Strings{}, Journal({WM_MOUSEACTIVATE, WM_ACTIVATE}));
    EXPECT_EQ(Strings{"top:WM_PARENTNOTIFY"}, Journal({WM_PARENTNOTIFY}));
}

TEST_F(Input, MouseActivateCanSwallowThePress) {
    On(WM_MOUSEACTIVATE,
       [](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> { return MA_NOACTIVATEANDEAT; });
    emu::MouseMove(150, 160);
    emu::MouseDown();
    emu::MouseUp();
    Pump();
    EXPECT_EQ((Strings{"left:WM_MOUSEMOVE(40,50)0", "left:WM_LBUTTONUP(40,50)0"}), points);
    EXPECT_EQ(nullptr, GetActiveWindow());
}

TEST_F(Input, ACaptureTakesTheMovesQueuedAfterThePressThatSetIt) {
    On(WM_LBUTTONDOWN, [this](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        SetCapture(hwnd);
        return Point(hwnd, msg, wp, lp);
    });
    On(WM_LBUTTONUP, [this](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        ReleaseCapture();
        return Point(hwnd, msg, wp, lp);
    });
    emu::MouseMove(150, 160);
    emu::MouseDown();
    emu::MouseMove(350, 150);
    emu::MouseMove(50, 40);
    emu::MouseUp();
    emu::MouseMove(350, 150);
    Pump();
    EXPECT_EQ(
        (Strings{"left:WM_MOUSEMOVE(40,50)0", "left:WM_LBUTTONDOWN(40,50)1", "left:WM_MOUSEMOVE(240,40)1",
                 "left:WM_MOUSEMOVE(-60,-70)1", "left:WM_LBUTTONUP(-60,-70)0", "right:WM_MOUSEMOVE(50,40)0"}),
        points);
    // With the capture set there is no hit testing and no cursor question.
    Strings captured = Journal();
    auto down = std::find(captured.begin(), captured.end(), "left:WM_LBUTTONDOWN");
    auto up = std::find(captured.begin(), captured.end(), "left:WM_LBUTTONUP");
    EXPECT_EQ((Strings{"left:WM_LBUTTONDOWN", "left:WM_MOUSEMOVE", "left:WM_MOUSEMOVE", "left:WM_LBUTTONUP"}),
              Strings(down, up + 1));
}

TEST_F(Input, TransparentAndDisabledChildrenLetThePointThrough) {
    On(WM_NCHITTEST, [this](HWND hwnd, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (hwnd == left)
            return HTTRANSPARENT;
        return std::nullopt;
    });
    EXPECT_EQ(top, WindowFromPoint(POINT{150, 160}));
    EnableWindow(right, FALSE);
    EXPECT_EQ(top, WindowFromPoint(POINT{350, 150}));
    EXPECT_EQ(right, ChildWindowFromPoint(top, POINT{250, 50}));
    EXPECT_EQ(top, ChildWindowFromPointEx(top, POINT{250, 50}, CWP_SKIPDISABLED));
    EXPECT_EQ(nullptr, ChildWindowFromPoint(top, POINT{-5, 50}));
    ShowWindow(left, SW_HIDE);
    EXPECT_EQ(top, ChildWindowFromPointEx(top, POINT{50, 50}, CWP_SKIPINVISIBLE));
    EXPECT_EQ(left, ChildWindowFromPointEx(top, POINT{50, 50}, CWP_ALL));
    emu::MouseMove(350, 150);
    Pump();
    EXPECT_EQ(Strings{"top:WM_MOUSEMOVE(250,50)0"}, points);
    // Over a disabled top-level window the input is lost.
    EnableWindow(top, FALSE);
    points.clear();
    emu::MouseMove(160, 160);
    Pump();
    EXPECT_EQ(Strings{}, points);
}

TEST_F(Input, OutsideTheClientAreaTheMessagesAreNonClient) {
    HWND framed = Create("framed", WS_CHILD | WS_VISIBLE | WS_CAPTION, 10, 120, 150, 100, top, 3);
    LPARAM at = 0;
    WPARAM code = 0;
    On(WM_NCMOUSEMOVE, [&](HWND, UINT, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        code = wp;
        at = lp;
        return std::nullopt;
    });
    Pump();
    Clear();
    // The caption of a WS_CAPTION window lies below its 3-pixel frame.
    emu::MouseMove(130, 230);
    Pump();
    EXPECT_EQ(
        (Strings{"framed:WM_NCHITTEST", "framed:WM_SETCURSOR", "top:WM_SETCURSOR", "framed:WM_NCMOUSEMOVE"}),
        Journal());
    EXPECT_EQ(static_cast<WPARAM>(HTCAPTION), code);
    EXPECT_EQ(MAKELPARAM(130, 230), at);
    EXPECT_EQ(framed, WindowFromPoint(POINT{130, 230}));
}

TEST_F(Input, DoubleClicksNeedTheClassStyleTimeAndPlace) {
    On(WM_LBUTTONDBLCLK,
       [this](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return Point(hwnd, msg, wp, lp); });
    emu::DoubleClick(350, 150);
    emu::DoubleClick(150, 160);
    Pump();
    EXPECT_EQ(
        (Strings{"right:WM_MOUSEMOVE(50,40)0", "right:WM_LBUTTONDOWN(50,40)1", "right:WM_LBUTTONUP(50,40)0",
                 "right:WM_LBUTTONDBLCLK(50,40)1", "right:WM_LBUTTONUP(50,40)0", "left:WM_MOUSEMOVE(40,50)0",
                 "left:WM_LBUTTONDOWN(40,50)1", "left:WM_LBUTTONUP(40,50)0", "left:WM_LBUTTONDOWN(40,50)1",
                 "left:WM_LBUTTONUP(40,50)0"}),
        points);

    // Two clicks in a row are two single clicks; so are presses too far apart; a third press starts over.
    points.clear();
    emu::Click(350, 150);
    emu::Click(350, 150);
    emu::MouseDown();
    emu::MouseUp();
    emu::MouseMove(353, 150);
    emu::MouseDown();
    emu::MouseUp();
    emu::MouseDown();
    emu::MouseUp();
    emu::MouseDown();
    emu::MouseUp();
    Pump();
    Strings presses;
    for (const auto& p : points) {
        if (p.find("BUTTONDOWN") != std::string::npos || p.find("DBLCLK") != std::string::npos)
            presses.push_back(p.substr(0, p.find('(')));
    }
    EXPECT_EQ((Strings{"right:WM_LBUTTONDOWN", "right:WM_LBUTTONDOWN", "right:WM_LBUTTONDBLCLK",
                       "right:WM_LBUTTONDOWN", "right:WM_LBUTTONDBLCLK", "right:WM_LBUTTONDOWN"}),
              presses);
}

TEST_F(Input, MouseFlagsShowTheStateAfterTheEvent) {
    emu::MouseMove(150, 160);
    emu::KeyDown(VK_SHIFT);
    emu::MouseDown();
    emu::KeyDown(VK_CONTROL);
    emu::MouseUp();
    emu::KeyUp(VK_CONTROL);
    emu::KeyUp(VK_SHIFT);
    Pump();
    EXPECT_EQ((Strings{"left:WM_MOUSEMOVE(40,50)0",
                       "left:WM_LBUTTONDOWN(40,50)" + std::to_string(MK_LBUTTON | MK_SHIFT),
                       "left:WM_LBUTTONUP(40,50)" + std::to_string(MK_SHIFT | MK_CONTROL)}),
              points);
}

TEST_F(Input, MessagePositionAndTimeAreThoseOfTheRetrievedMessage) {
    POINT during{};
    LONG timeDuring = 0;
    On(WM_LBUTTONDOWN, [&](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        DWORD pos = GetMessagePos();
        during = POINT{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
        timeDuring = GetMessageTime();
        return std::nullopt;
    });
    DWORD before = GetTickCount();
    emu::MouseMove(150, 160);
    emu::MouseDown();
    emu::MouseMove(170, 180);
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(170, cursor.x);
    EXPECT_EQ(before, GetTickCount());
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_LBUTTONDOWN)
        DispatchMessageA(&msg);
    ASSERT_EQ(static_cast<UINT>(WM_LBUTTONDOWN), msg.message);
    EXPECT_EQ(150, msg.pt.x);
    EXPECT_EQ(before + 20, msg.time);
    DispatchMessageA(&msg);
    EXPECT_EQ(150, during.x);
    EXPECT_EQ(160, during.y);
    EXPECT_EQ(static_cast<LONG>(before + 20), timeDuring);
    EXPECT_EQ(before + 20, GetTickCount());
    Pump();
    EXPECT_EQ(MAKELONG(170, 180), static_cast<LONG>(GetMessagePos()));
    emu::MouseUp();
    Pump();
    SetCursorPos(5, 6);
    EXPECT_TRUE(emu::HasPendingInput());
    GetCursorPos(&cursor);
    EXPECT_EQ(5, cursor.x);
}

class Keys : public Input {
protected:
    void SetUp() override {
        Input::SetUp();
        SetFocus(left);
        for (UINT msg : {WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR})
            On(msg, [this](HWND hwnd, UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
                char text[64];
                std::snprintf(text, sizeof text, "%s:%s %02X %08X", m_names[hwnd].c_str(),
                              MessageName(m).c_str(), static_cast<unsigned>(wp), static_cast<unsigned>(lp));
                keys.push_back(text);
                return std::nullopt;
            });
        Clear();
    }
    Strings keys;
};

TEST_F(Keys, KeysGoToTheFocusAndTranslateIntoCharacters) {
    emu::PressKey('A');
    emu::KeyDown(VK_SHIFT);
    emu::PressKey('1');
    emu::KeyUp(VK_SHIFT);
    emu::PressKey(VK_LEFT);
    Pump();
    EXPECT_EQ((Strings{"left:WM_KEYDOWN 41 001E0001", "left:WM_CHAR 61 001E0001", "left:WM_KEYUP 41 C01E0001",
                       "left:WM_KEYDOWN 10 002A0001", "left:WM_KEYDOWN 31 00020001",
                       "left:WM_CHAR 21 00020001", "left:WM_KEYUP 31 C0020001", "left:WM_KEYUP 10 C02A0001",
                       "left:WM_KEYDOWN 25 014B0001", "left:WM_KEYUP 25 C14B0001"}),
              keys);
}

TEST_F(Keys, ControlCapsLockAndRepeats) {
    emu::KeyDown(VK_CONTROL);
    emu::PressKey('C');
    emu::KeyUp(VK_CONTROL);
    emu::PressKey(VK_CAPITAL);
    emu::PressKey('B');
    emu::KeyDown(VK_SHIFT);
    emu::PressKey('B');
    emu::KeyUp(VK_SHIFT);
    emu::PressKey(VK_CAPITAL);
    emu::KeyDown('X');
    emu::KeyDown('X');
    emu::KeyUp('X');
    Pump();
    Strings chars;
    for (const auto& k : keys) {
        if (k.find("WM_CHAR") != std::string::npos || k.find("WM_KEYDOWN 58") != std::string::npos)
            chars.push_back(k.substr(5));
    }
    EXPECT_EQ((Strings{"WM_CHAR 03 002E0001", "WM_CHAR 42 00300001", "WM_CHAR 62 00300001",
                       "WM_KEYDOWN 58 002D0001", "WM_CHAR 78 002D0001", "WM_KEYDOWN 58 402D0001",
                       "WM_CHAR 78 402D0001"}),
              chars);
}

TEST_F(Keys, AltMakesSystemKeysAndNoFocusSendsThemToTheActiveWindow) {
    emu::KeyDown(VK_MENU);
    emu::PressKey('F');
    emu::KeyUp(VK_MENU);
    Pump();
    EXPECT_EQ((Strings{"left:WM_SYSKEYDOWN 12 20380001", "left:WM_SYSKEYDOWN 46 20210001",
                       "left:WM_SYSCHAR 66 20210001", "left:WM_SYSKEYUP 46 E0210001",
                       "left:WM_SYSKEYUP 12 C0380001"}),
              keys);

    keys.clear();
    SetActiveWindow(top);
    SetFocus(nullptr);
    emu::PressKey(VK_RETURN);
    Pump();
    EXPECT_EQ((Strings{"top:WM_SYSKEYDOWN 0D 001C0001", "top:WM_SYSCHAR 0D 001C0001",
                       "top:WM_SYSKEYUP 0D C01C0001"}),
              keys);
}

TEST_F(Keys, TypedTextArrivesCharacterByCharacter) {
    emu::TypeText("Hi, \xE9!");
    Pump();
    std::string typed;
    for (const auto& k : keys) {
        if (k.find("WM_CHAR") != std::string::npos)
            typed += static_cast<char>(std::stoi(k.substr(13, 2), nullptr, 16));
    }
    EXPECT_EQ("Hi, \xE9!", typed);
}

TEST_F(Keys, TheCharacterComesBeforeAnythingPostedEarlier) {
    On(WM_KEYDOWN, [this](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        PostMessageA(left, WM_USER, 0, 0);
        return std::nullopt;
    });
    emu::PressKey('Z');
    EXPECT_EQ((Strings{"WM_KEYDOWN", "WM_CHAR", "WM_USER", "WM_KEYUP"}), Pump());
}

TEST_F(Keys, KeyStateFollowsTheRetrievedMessagesAsyncStateTheInput) {
    SHORT duringA = 0;
    On(WM_KEYDOWN, [&](HWND, UINT, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
        if (wp == 'A')
            duringA = GetKeyState(VK_SHIFT);
        return std::nullopt;
    });
    emu::KeyDown(VK_SHIFT);
    emu::PressKey('A');
    EXPECT_EQ(0, GetKeyState(VK_SHIFT) & 0x8000);
    EXPECT_NE(0, GetAsyncKeyState(VK_SHIFT) & 0x8000);
    emu::KeyUp(VK_SHIFT);
    EXPECT_EQ(0, GetAsyncKeyState(VK_SHIFT) & 0x8000);
    Pump();
    EXPECT_NE(0, duringA & 0x8000);
    EXPECT_EQ(0, GetKeyState(VK_SHIFT) & 0x8000);
    EXPECT_NE(0, GetKeyState(VK_LSHIFT) & 0x0001);

    // The low bit toggles at each press: Caps Lock's, and any other key's.
    SHORT before = GetKeyState(VK_CAPITAL);
    emu::PressKey(VK_CAPITAL);
    Pump();
    EXPECT_EQ((before ^ 1) & 1, GetKeyState(VK_CAPITAL) & 1);
    emu::PressKey(VK_CAPITAL);
    Pump();
    EXPECT_EQ(before & 1, GetKeyState(VK_CAPITAL) & 1);
    SHORT q = GetKeyState('Q');
    emu::KeyDown('Q');
    Pump();
    EXPECT_EQ(static_cast<SHORT>(0x8000 | ((q & 1) ^ 1)), static_cast<SHORT>(GetKeyState('Q')));
    BYTE state[256];
    EXPECT_TRUE(GetKeyboardState(state));
    EXPECT_EQ(0x80, state['Q'] & 0x80);
    emu::KeyUp('Q');
    Pump();
    EXPECT_EQ(0, GetKeyState('Q') & 0x8000);

    // Mouse buttons are keys too.
    emu::MouseMove(150, 160);
    emu::MouseDown(emu::Button::Right);
    EXPECT_NE(0, GetAsyncKeyState(VK_RBUTTON) & 0x8000);
    EXPECT_EQ(0, GetKeyState(VK_RBUTTON) & 0x8000);
    Pump();
    EXPECT_NE(0, GetKeyState(VK_RBUTTON) & 0x8000);
    emu::MouseUp(emu::Button::Right);
    Pump();
    EXPECT_EQ(0, GetKeyState(VK_RBUTTON) & 0x8000);
}

TEST_F(Keys, ScanCodesAndCharactersOfTheLayout) {
    EXPECT_EQ(0x1Eu, MapVirtualKeyA('A', MAPVK_VK_TO_VSC));
    EXPECT_EQ(static_cast<UINT>('A'), MapVirtualKeyA(0x1E, MAPVK_VSC_TO_VK));
    EXPECT_EQ(static_cast<UINT>('A'), MapVirtualKeyA('A', MAPVK_VK_TO_CHAR));
    EXPECT_EQ(static_cast<UINT>(';'), MapVirtualKeyA(VK_OEM_1, MAPVK_VK_TO_CHAR));
    EXPECT_EQ(0x1Cu, MapVirtualKeyA(VK_RETURN, MAPVK_VK_TO_VSC));
}

} // namespace
