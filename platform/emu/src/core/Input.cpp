// Simulated hardware input on a virtual clock: events are queued with the key state they imply and turned
// into window messages when a message loop retrieves them; key state, the cursor, the US keyboard layout and
// TranslateMessage.
#include "core/Core.h"

#include "ResetHooks.h"
#include "emu/Input.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <optional>

namespace emu::core {
namespace {

using KeyState = std::array<BYTE, 256>;

// Time that one simulated event takes.
constexpr DWORD kEventStep = 10;

enum class Kind { Move, Button, Key, Wait };

struct Event {
    Kind kind;
    POINT pt;
    emu::Button button;
    bool down;
    UINT vk;       // the key as the message names it (VK_SHIFT for either shift key)
    bool wasDown;  // the key was already down: an auto-repeat
    bool extended; // extended-key flag of the scan code
    BYTE scan;
    DWORD time;
    KeyState keys; // key state after the event
};

struct Pending {
    MSG msg;
    KeyState keys;
};

struct InputState {
    std::deque<Event> events;
    std::optional<Pending> pending;
    bool converting = false;
    DWORD now = 10000;
    DWORD inputClock = 10000;
    KeyState async{};
    std::array<bool, 256> pressedSinceRead{};
    KeyState sync{};
    POINT cursor{0, 0};
    struct {
        bool valid = false;
        HWND hwnd = nullptr;
        emu::Button button = emu::Button::Left;
        DWORD time = 0;
        POINT pt{};
    } lastClick;
    // Alt held with digits typed on the numeric keypad: the character code being composed.
    bool composing = false;
    bool composeAnsi = false;
    int composeCode = 0;
};

InputState& State() {
    static InputState state;
    return state;
}

const detail::ResetHook reset(detail::ResetStage::Last, [] {
    InputState& s = State();
    DWORD now = s.now;
    s = InputState{};
    s.now = s.inputClock = now;
});

struct KeyInfo {
    BYTE scan;
    bool extended;
};

// Scan codes of the US keyboard (set 1).
KeyInfo ScanCode(UINT vk) {
    static const std::array<BYTE, 256> scans = [] {
        std::array<BYTE, 256> t{};
        const char* row1 = "QWERTYUIOP";
        for (int i = 0; row1[i]; ++i)
            t[static_cast<BYTE>(row1[i])] = static_cast<BYTE>(0x10 + i);
        const char* row2 = "ASDFGHJKL";
        for (int i = 0; row2[i]; ++i)
            t[static_cast<BYTE>(row2[i])] = static_cast<BYTE>(0x1E + i);
        const char* row3 = "ZXCVBNM";
        for (int i = 0; row3[i]; ++i)
            t[static_cast<BYTE>(row3[i])] = static_cast<BYTE>(0x2C + i);
        for (int i = 1; i <= 9; ++i)
            t['0' + i] = static_cast<BYTE>(0x01 + i);
        t['0'] = 0x0B;
        t[VK_ESCAPE] = 0x01;
        t[VK_OEM_MINUS] = 0x0C;
        t[VK_OEM_PLUS] = 0x0D;
        t[VK_BACK] = 0x0E;
        t[VK_TAB] = 0x0F;
        t[VK_OEM_4] = 0x1A;
        t[VK_OEM_6] = 0x1B;
        t[VK_RETURN] = 0x1C;
        t[VK_CONTROL] = t[VK_LCONTROL] = t[VK_RCONTROL] = 0x1D;
        t[VK_OEM_1] = 0x27;
        t[VK_OEM_7] = 0x28;
        t[VK_OEM_3] = 0x29;
        t[VK_SHIFT] = t[VK_LSHIFT] = 0x2A;
        t[VK_OEM_5] = 0x2B;
        t[VK_OEM_COMMA] = 0x33;
        t[VK_OEM_PERIOD] = 0x34;
        t[VK_OEM_2] = 0x35;
        t[VK_DIVIDE] = 0x35;
        t[VK_RSHIFT] = 0x36;
        t[VK_MULTIPLY] = 0x37;
        t[VK_MENU] = t[VK_LMENU] = t[VK_RMENU] = 0x38;
        t[VK_SPACE] = 0x39;
        t[VK_CAPITAL] = 0x3A;
        for (int i = 0; i < 10; ++i)
            t[VK_F1 + i] = static_cast<BYTE>(0x3B + i);
        t[VK_NUMLOCK] = 0x45;
        t[VK_SCROLL] = 0x46;
        t[VK_HOME] = t[VK_NUMPAD7] = 0x47;
        t[VK_UP] = t[VK_NUMPAD8] = 0x48;
        t[VK_PRIOR] = t[VK_NUMPAD9] = 0x49;
        t[VK_SUBTRACT] = 0x4A;
        t[VK_LEFT] = t[VK_NUMPAD4] = 0x4B;
        t[VK_NUMPAD5] = 0x4C;
        t[VK_RIGHT] = t[VK_NUMPAD6] = 0x4D;
        t[VK_ADD] = 0x4E;
        t[VK_END] = t[VK_NUMPAD1] = 0x4F;
        t[VK_DOWN] = t[VK_NUMPAD2] = 0x50;
        t[VK_NEXT] = t[VK_NUMPAD3] = 0x51;
        t[VK_INSERT] = t[VK_NUMPAD0] = 0x52;
        t[VK_DELETE] = t[VK_DECIMAL] = 0x53;
        t[VK_F11] = 0x57;
        t[VK_F12] = 0x58;
        t[VK_LWIN] = 0x5B;
        t[VK_RWIN] = 0x5C;
        t[VK_APPS] = 0x5D;
        return t;
    }();
    bool extended = false;
    switch (vk) {
    case VK_RCONTROL:
    case VK_RMENU:
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_DIVIDE:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
        extended = true;
        break;
    default:
        break;
    }
    return KeyInfo{vk < 256 ? scans[vk] : BYTE{0}, extended};
}

// The character a key gives on the US layout, or 0.
char CharOf(UINT vk, bool shift) {
    if (vk >= 'A' && vk <= 'Z')
        return static_cast<char>(shift ? vk : vk + ('a' - 'A'));
    if (vk >= '0' && vk <= '9')
        return shift ? ")!@#$%^&*("[vk - '0'] : static_cast<char>(vk);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return static_cast<char>('0' + vk - VK_NUMPAD0);
    switch (vk) {
    case VK_SPACE:
        return ' ';
    case VK_RETURN:
        return '\r';
    case VK_TAB:
        return '\t';
    case VK_BACK:
        return '\b';
    case VK_ESCAPE:
        return 0x1B;
    case VK_MULTIPLY:
        return '*';
    case VK_ADD:
        return '+';
    case VK_SUBTRACT:
        return '-';
    case VK_DECIMAL:
        return '.';
    case VK_DIVIDE:
        return '/';
    case VK_OEM_1:
        return shift ? ':' : ';';
    case VK_OEM_PLUS:
        return shift ? '+' : '=';
    case VK_OEM_COMMA:
        return shift ? '<' : ',';
    case VK_OEM_MINUS:
        return shift ? '_' : '-';
    case VK_OEM_PERIOD:
        return shift ? '>' : '.';
    case VK_OEM_2:
        return shift ? '?' : '/';
    case VK_OEM_3:
        return shift ? '~' : '`';
    case VK_OEM_4:
        return shift ? '{' : '[';
    case VK_OEM_5:
        return shift ? '|' : '\\';
    case VK_OEM_6:
        return shift ? '}' : ']';
    case VK_OEM_7:
        return shift ? '"' : '\'';
    default:
        return 0;
    }
}

// The character a key press gives with the state of Shift, Ctrl and Caps Lock, or -1 for none.
int Translate(UINT vk, const KeyState& keys) {
    bool shift = keys[VK_SHIFT] & 0x80;
    bool ctrl = keys[VK_CONTROL] & 0x80;
    bool caps = keys[VK_CAPITAL] & 0x01;
    if (ctrl) {
        if (vk >= 'A' && vk <= 'Z')
            return static_cast<int>(vk - 'A' + 1);
        switch (vk) {
        case VK_OEM_4:
            return 0x1B;
        case VK_OEM_5:
            return 0x1C;
        case VK_OEM_6:
            return 0x1D;
        case VK_RETURN:
            return '\n';
        case VK_BACK:
            return 0x7F;
        case VK_SPACE:
            return ' ';
        case VK_ESCAPE:
            return 0x1B;
        default:
            return -1;
        }
    }
    bool upper = (vk >= 'A' && vk <= 'Z') ? shift != caps : shift;
    char c = CharOf(vk, upper);
    return c ? static_cast<unsigned char>(c) : -1;
}

// The key (and whether Shift is needed) that types a character on the US layout, or 0.
UINT KeyFor(char c, bool& shift) {
    for (UINT vk = 1; vk < 256; ++vk) {
        if (vk >= VK_NUMPAD0 && vk <= VK_DIVIDE)
            continue;
        for (bool s : {false, true}) {
            if (CharOf(vk, s) == c) {
                shift = s;
                return vk;
            }
        }
    }
    if (c == '\n') {
        shift = false;
        return VK_RETURN;
    }
    return 0;
}

UINT Generic(UINT vk) {
    switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT:
        return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
        return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
        return VK_MENU;
    default:
        return vk;
    }
}

// The left or right key that a generic key stands for.
UINT Specific(UINT vk) {
    switch (vk) {
    case VK_SHIFT:
        return VK_LSHIFT;
    case VK_CONTROL:
        return VK_LCONTROL;
    case VK_MENU:
        return VK_LMENU;
    default:
        return vk;
    }
}

void Press(KeyState& keys, UINT vk, bool down) {
    if (down) {
        if (!(keys[vk] & 0x80))
            keys[vk] ^= 0x01;
        keys[vk] |= 0x80;
    } else {
        keys[vk] &= static_cast<BYTE>(~0x80);
    }
}

void Queue(Event e) {
    InputState& s = State();
    s.inputClock = std::max(s.inputClock, s.now) + kEventStep;
    e.time = s.inputClock;
    e.pt = s.cursor;
    e.keys = s.async;
    s.events.push_back(e);
}

UINT ButtonKey(emu::Button b) {
    return b == emu::Button::Left ? VK_LBUTTON : b == emu::Button::Right ? VK_RBUTTON : VK_MBUTTON;
}

void QueueButton(emu::Button b, bool down) {
    InputState& s = State();
    UINT vk = ButtonKey(b);
    if (down)
        s.pressedSinceRead[vk] = true;
    Press(s.async, vk, down);
    Queue(Event{Kind::Button, {}, b, down, vk, false, false, 0, 0, {}});
}

void QueueKey(UINT vk, bool down) {
    if (vk == 0 || vk > 0xFE)
        return;
    InputState& s = State();
    UINT specific = Specific(vk);
    UINT generic = Generic(vk);
    bool wasDown = (s.async[specific] & 0x80) != 0;
    if (!down && !wasDown && !(s.async[generic] & 0x80))
        return;
    if (down)
        s.pressedSinceRead[specific] = s.pressedSinceRead[generic] = true;
    Press(s.async, specific, down);
    if (generic != specific) {
        // The generic key is down while either of its two keys is.
        UINT left = Specific(generic), right = left + 1;
        bool any = (s.async[left] & 0x80) || (s.async[right] & 0x80);
        if (any && !(s.async[generic] & 0x80))
            Press(s.async, generic, true);
        else if (!any)
            Press(s.async, generic, false);
    }
    KeyInfo info = ScanCode(specific);
    Queue(Event{Kind::Key, {}, emu::Button::Left, down, generic, wasDown, info.extended, info.scan, 0, {}});
}

WPARAM MouseKeys(const KeyState& keys) {
    WPARAM flags = 0;
    if (keys[VK_LBUTTON] & 0x80)
        flags |= MK_LBUTTON;
    if (keys[VK_RBUTTON] & 0x80)
        flags |= MK_RBUTTON;
    if (keys[VK_MBUTTON] & 0x80)
        flags |= MK_MBUTTON;
    if (keys[VK_SHIFT] & 0x80)
        flags |= MK_SHIFT;
    if (keys[VK_CONTROL] & 0x80)
        flags |= MK_CONTROL;
    return flags;
}

UINT ButtonMessage(emu::Button b, bool down, bool doubleClick, bool client) {
    UINT base = b == emu::Button::Left    ? WM_LBUTTONDOWN
                : b == emu::Button::Right ? WM_RBUTTONDOWN
                                          : WM_MBUTTONDOWN;
    UINT msg = !down ? base + 1 : doubleClick ? base + 2 : base;
    return client ? msg : msg - (WM_LBUTTONDOWN - WM_NCLBUTTONDOWN);
}

// Parents hear of a press over their child, with the point in their own client coordinates.
void NotifyPress(Window* w, UINT msg, POINT screen) {
    HWND target = w->handle;
    for (Window* c = w; c && IsChildWindow(c) && !(c->exStyle & WS_EX_NOPARENTNOTIFY);) {
        Window* parent = c->parent;
        if (!parent || IsTopLevel(c) || parent == Desktop())
            break;
        POINT o = ClientOrigin(parent);
        HWND parentHandle = parent->handle;
        Send(parent, WM_PARENTNOTIFY, msg, MAKELPARAM(screen.x - o.x, screen.y - o.y));
        c = Find(parentHandle);
        if (!Find(target))
            break;
    }
}

// The message a mouse event gives, with the messages the platform sends on the way; false if none.
bool ConvertMouse(const Event& e, MSG& out) {
    InputState& s = State();
    LRESULT hit = HTCLIENT;
    Window* target = Find(CaptureWindow());
    bool captured = target != nullptr;
    if (!captured)
        target = WindowAt(e.pt, &hit);
    if (!target)
        return false;
    HWND hwnd = target->handle;
    bool client = hit == HTCLIENT;
    UINT msg;
    if (e.kind == Kind::Move) {
        msg = client ? WM_MOUSEMOVE : WM_NCMOUSEMOVE;
    } else {
        bool doubleClick = false;
        if (e.down) {
            auto& last = s.lastClick;
            int halfX = GetSystemMetrics(SM_CXDOUBLECLK) / 2, halfY = GetSystemMetrics(SM_CYDOUBLECLK) / 2;
            bool second = last.valid && last.hwnd == hwnd && last.button == e.button &&
                          e.time - last.time <= GetDoubleClickTime() &&
                          std::abs(e.pt.x - last.pt.x) <= halfX && std::abs(e.pt.y - last.pt.y) <= halfY;
            if (second) {
                last.valid = false;
                doubleClick = !client || (target->cls->style & CS_DBLCLKS);
            } else {
                last = {true, hwnd, e.button, e.time, e.pt};
            }
        }
        msg = ButtonMessage(e.button, e.down, doubleClick, client);
    }
    UINT clientMsg = client ? msg : msg + (WM_LBUTTONDOWN - WM_NCLBUTTONDOWN);
    if (e.kind == Kind::Move)
        clientMsg = WM_MOUSEMOVE;
    if (!captured) {
        if (e.kind == Kind::Button && e.down) {
            if (client)
                NotifyPress(target, ButtonMessage(e.button, true, false, true), e.pt);
            if (!(target = Find(hwnd)))
                return false;
            Window* top = Root(target);
            if (top->handle != GetActiveWindow() && top->parent == Desktop()) {
                LRESULT answer = Send(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top->handle),
                                      MAKELPARAM(hit, clientMsg));
                if ((answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) && (top = Find(top->handle)))
                    ActivateWindow(top, true);
                if (answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT)
                    return false;
                if (!(target = Find(hwnd)))
                    return false;
            }
        }
        Send(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(hit, clientMsg));
        if (!(target = Find(hwnd)))
            return false;
    }
    WPARAM wParam = client ? MouseKeys(e.keys) : static_cast<WPARAM>(hit);
    LPARAM lParam;
    if (client) {
        POINT o = ClientOrigin(target);
        lParam = MAKELPARAM(e.pt.x - o.x, e.pt.y - o.y);
    } else {
        lParam = MAKELPARAM(e.pt.x, e.pt.y);
    }
    out = MSG{hwnd, msg, wParam, lParam, e.time, e.pt};
    return true;
}

bool ConvertKey(const Event& e, MSG& out) {
    HWND target = GetFocus();
    bool noFocus = !target;
    if (noFocus)
        target = GetActiveWindow();
    if (!target)
        return false;
    bool alt = e.keys[VK_MENU] & 0x80;
    bool ctrl = e.keys[VK_CONTROL] & 0x80;
    bool sys = noFocus || e.vk == VK_F10 || ((alt || e.vk == VK_MENU) && !ctrl);
    UINT msg = e.down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    DWORD lParam = 1 | (static_cast<DWORD>(e.scan) << 16);
    if (e.extended)
        lParam |= 1u << 24;
    if (alt)
        lParam |= 1u << 29;
    if (!e.down || e.wasDown)
        lParam |= 1u << 30;
    if (!e.down)
        lParam |= 1u << 31;
    out = MSG{target, msg, e.vk, static_cast<LPARAM>(static_cast<LONG>(lParam)), e.time, e.pt};
    return true;
}

} // namespace

DWORD Now() {
    return State().now;
}

POINT CursorPos() {
    return State().cursor;
}

bool TakeInput(MSG& msg, const Filter& filter, bool remove) {
    InputState& s = State();
    if (s.converting)
        return false;
    while (!s.pending) {
        if (s.events.empty() || s.events.front().kind == Kind::Wait)
            return false;
        Event e = s.events.front();
        s.events.pop_front();
        if (static_cast<LONG>(e.time - s.now) > 0)
            s.now = e.time;
        s.sync = e.keys;
        s.converting = true;
        MSG converted;
        bool produced = e.kind == Kind::Key ? ConvertKey(e, converted) : ConvertMouse(e, converted);
        s.converting = false;
        if (produced)
            s.pending = Pending{converted, e.keys};
    }
    if (!Matches(s.pending->msg, filter))
        return false;
    msg = s.pending->msg;
    s.sync = s.pending->keys;
    if (remove)
        s.pending.reset();
    return true;
}

bool PassTime(const DWORD* nextDue) {
    InputState& s = State();
    if (s.converting || s.pending || s.events.empty() || s.events.front().kind != Kind::Wait)
        return false;
    DWORD until = s.events.front().time;
    // A timer that falls due during the wait goes off before the input that follows it.
    if (nextDue && static_cast<LONG>(*nextDue - s.now) > 0 && static_cast<LONG>(*nextDue - until) < 0) {
        s.now = *nextDue;
        return true;
    }
    s.events.pop_front();
    if (static_cast<LONG>(until - s.now) > 0)
        s.now = until;
    return true;
}

void DropInputFor(HWND hwnd) {
    InputState& s = State();
    if (s.pending && s.pending->msg.hwnd == hwnd)
        s.pending.reset();
    if (s.lastClick.hwnd == hwnd)
        s.lastClick.valid = false;
}

} // namespace emu::core

using namespace emu::core;

void WINAPI Sleep(DWORD dwMilliseconds) {
    // Input queued before keeps its times: the clock never goes back when it is retrieved.
    InputState& s = State();
    s.now += dwMilliseconds;
    s.inputClock = std::max(s.inputClock, s.now);
}

SHORT WINAPI GetKeyState(int nVirtKey) {
    if (nVirtKey < 0 || nVirtKey > 255)
        return 0;
    BYTE k = State().sync[nVirtKey];
    return static_cast<SHORT>(((k & 0x80) ? 0x8000 : 0) | (k & 0x01));
}

SHORT WINAPI GetAsyncKeyState(int vKey) {
    if (vKey < 0 || vKey > 255)
        return 0;
    InputState& s = State();
    SHORT state =
        static_cast<SHORT>(((s.async[vKey] & 0x80) ? 0x8000 : 0) | (s.pressedSinceRead[vKey] ? 1 : 0));
    s.pressedSinceRead[vKey] = false;
    return state;
}

BOOL WINAPI GetKeyboardState(PBYTE lpKeyState) {
    if (!lpKeyState)
        return FALSE;
    std::memcpy(lpKeyState, State().sync.data(), 256);
    return TRUE;
}

BOOL WINAPI GetCursorPos(LPPOINT lpPoint) {
    if (!lpPoint)
        return FALSE;
    *lpPoint = State().cursor;
    return TRUE;
}

BOOL WINAPI SetCursorPos(int X, int Y) {
    emu::MouseMove(X, Y);
    return TRUE;
}

UINT WINAPI MapVirtualKeyA(UINT uCode, UINT uMapType) {
    switch (uMapType) {
    case MAPVK_VK_TO_VSC:
        return uCode < 256 ? ScanCode(uCode).scan : 0;
    case MAPVK_VSC_TO_VK:
        for (UINT vk = 1; vk < 256; ++vk) {
            if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU)
                continue;
            if (ScanCode(vk).scan == uCode && !ScanCode(vk).extended &&
                !(vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9))
                return Generic(vk) == vk ? vk : Generic(vk);
        }
        return 0;
    case MAPVK_VK_TO_CHAR: {
        char c = uCode < 256 ? CharOf(uCode, (uCode >= 'A' && uCode <= 'Z')) : 0;
        return static_cast<unsigned char>(c);
    }
    default:
        return 0;
    }
}

BOOL WINAPI TranslateMessage(const MSG* lpMsg) {
    if (!lpMsg)
        return FALSE;
    UINT msg = lpMsg->message;
    if (msg != WM_KEYDOWN && msg != WM_KEYUP && msg != WM_SYSKEYDOWN && msg != WM_SYSKEYUP)
        return FALSE;
    InputState& s = State();
    UINT vk = static_cast<UINT>(lpMsg->wParam);
    bool down = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
    // Alt with digits on the numeric keypad composes a character code, delivered when Alt is released.
    if (down && (s.sync[VK_MENU] & 0x80) && vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) {
        if (!s.composing) {
            s.composing = true;
            s.composeAnsi = vk == VK_NUMPAD0;
            s.composeCode = 0;
        }
        s.composeCode = (s.composeCode * 10 + static_cast<int>(vk - VK_NUMPAD0)) % 1000;
        return TRUE;
    }
    if (!down && vk == VK_MENU && s.composing) {
        s.composing = false;
        int code = s.composeCode & 0xFF;
        // Codes without the leading zero name OEM characters; only their ASCII half is the same in ANSI.
        if (code && (s.composeAnsi || code < 0x80))
            PostFront(
                MSG{lpMsg->hwnd, WM_CHAR, static_cast<WPARAM>(code), lpMsg->lParam, lpMsg->time, lpMsg->pt});
        return TRUE;
    }
    if (!down)
        return TRUE;
    int c = Translate(vk, s.sync);
    if (c >= 0)
        PostFront(MSG{lpMsg->hwnd,
                      msg == WM_KEYDOWN ? static_cast<UINT>(WM_CHAR) : static_cast<UINT>(WM_SYSCHAR),
                      static_cast<WPARAM>(c), lpMsg->lParam, lpMsg->time, lpMsg->pt});
    return TRUE;
}

namespace emu {

void MouseMove(int x, int y) {
    State().cursor = POINT{x, y};
    Queue(Event{Kind::Move, {}, Button::Left, false, 0, false, false, 0, 0, {}});
}

void MouseDown(Button button) {
    QueueButton(button, true);
}

void MouseUp(Button button) {
    QueueButton(button, false);
}

void KeyDown(UINT vk) {
    QueueKey(vk, true);
}

void KeyUp(UINT vk) {
    QueueKey(vk, false);
}

void PressKey(UINT vk) {
    KeyDown(vk);
    KeyUp(vk);
}

void TypeText(const char* text) {
    for (const char* p = text; p && *p; ++p) {
        bool shift = false;
        UINT vk = KeyFor(*p, shift);
        if (!vk) {
            // Characters beyond the layout are typed as their code in the ANSI code page: Alt, 0, digits.
            int code = static_cast<unsigned char>(*p);
            KeyDown(VK_MENU);
            PressKey(VK_NUMPAD0);
            for (int divisor : {100, 10, 1})
                PressKey(VK_NUMPAD0 + code / divisor % 10);
            KeyUp(VK_MENU);
            continue;
        }
        bool upper = vk >= 'A' && vk <= 'Z';
        bool caps = State().async[VK_CAPITAL] & 0x01;
        bool needShift = upper ? shift != caps : shift;
        bool held = State().async[VK_SHIFT] & 0x80;
        if (needShift && !held)
            KeyDown(VK_SHIFT);
        if (!needShift && held)
            KeyUp(VK_SHIFT);
        PressKey(vk);
        if (needShift && !held)
            KeyUp(VK_SHIFT);
        if (!needShift && held)
            KeyDown(VK_SHIFT);
    }
}

void Click(int x, int y, Button button) {
    Wait(GetDoubleClickTime() + 1);
    MouseMove(x, y);
    MouseDown(button);
    MouseUp(button);
}

void DoubleClick(int x, int y, Button button) {
    Wait(GetDoubleClickTime() + 1);
    MouseMove(x, y);
    MouseDown(button);
    MouseUp(button);
    MouseDown(button);
    MouseUp(button);
}

void Wait(DWORD milliseconds) {
    InputState& s = State();
    if (s.events.empty() && !s.pending) {
        s.now += milliseconds;
        s.inputClock = std::max(s.inputClock, s.now);
        return;
    }
    s.inputClock = std::max(s.inputClock, s.now) + milliseconds;
    s.events.push_back(Event{Kind::Wait, {}, Button::Left, false, 0, false, false, 0, s.inputClock, {}});
}

bool HasPendingInput() {
    InputState& s = State();
    if (s.pending)
        return true;
    for (const Event& e : s.events) {
        if (e.kind != Kind::Wait)
            return true;
    }
    return false;
}

} // namespace emu
