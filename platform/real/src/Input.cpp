// Simulated user input on the real platform: each event is injected with SendInput, as the mouse and
// keyboard drivers would produce it, and reaches windows through the system's own input routing. Events are
// paced (Clock.h): a hook on the thread's message retrieval injects the next event once the message of the
// one before has been taken; a helper thread injects it anyway when an event gives no message (a move to
// where the cursor already is, a key with no focus window).
#include "Clock.h"

#include <emu/Input.h>

#include <windows.h>

#include <deque>
#include <initializer_list>
#include <mutex>
#include <thread>

namespace {

// How long an injected event may stay unretrieved before the next one goes anyway.
constexpr DWORD kUnretrievedLimit = 200;
// How long the handling of a retrieved event has before the next event arrives: long enough for a handler
// to enter its modal loop (a drag, a menu) and look at the input state, as a person's next move would come.
constexpr DWORD kHandlingTime = 40;

struct Event {
    INPUT input{};
    DWORD wait = 0;        // a wait of this many milliseconds instead of an input
    bool newClick = false; // waits out the double-click time after the last press first
    bool press = false;    // a button press
};

std::mutex g_mutex;
std::deque<Event> g_events;
bool g_inFlight = false;
DWORD g_sentAt = 0;
DWORD g_retrievedAt = 0; // when the last event was retrieved, or given up on as giving no message
DWORD g_lastPress = 0;
bool g_pressed = false;
DWORD g_waitEnd = 0;
bool g_waiting = false;
POINT g_cursor{};
HHOOK g_hook = nullptr;

bool Due(DWORD now, DWORD end) {
    return static_cast<LONG>(now - end) >= 0;
}

// Injects the next event if its time has come. Called with g_mutex held.
void SendNext() {
    const DWORD now = GetTickCount();
    bool waited = false;
    while (!g_events.empty() && !g_inFlight) {
        Event& event = g_events.front();
        if (event.wait != 0) {
            // A wait counts from when the event before it was taken, as the pause between a person's moves
            // does; the event after it then goes at once.
            if (!g_waiting) {
                g_waitEnd = g_retrievedAt + event.wait;
                g_waiting = true;
            }
            if (!Due(now, g_waitEnd))
                return;
            g_waiting = false;
            g_events.pop_front();
            waited = true;
            continue;
        }
        if (!waited && !Due(now, g_retrievedAt + kHandlingTime))
            return;
        if (event.newClick && g_pressed && !Due(now, g_lastPress + GetDoubleClickTime() + 1))
            return;
        if (event.press) {
            g_lastPress = now;
            g_pressed = true;
        }
        SendInput(1, &event.input, sizeof event.input);
        g_events.pop_front();
        g_inFlight = true;
        g_sentAt = now;
    }
}

bool IsInputMessage(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK) ||
           (message >= WM_KEYFIRST && message <= WM_KEYLAST);
}

LRESULT CALLBACK Retrieved(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE && IsInputMessage(reinterpret_cast<MSG*>(lParam)->message)) {
        std::lock_guard lock(g_mutex);
        if (g_inFlight) {
            g_inFlight = false;
            g_retrievedAt = GetTickCount();
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

void Helper() {
    for (;;) {
        Sleep(5);
        std::lock_guard lock(g_mutex);
        if (g_inFlight && Due(GetTickCount(), g_sentAt + kUnretrievedLimit)) {
            g_inFlight = false;
            g_retrievedAt = GetTickCount();
        }
        SendNext();
    }
}

void Queue(Event event) {
    static const bool started = [] {
        g_hook = SetWindowsHookExA(WH_GETMESSAGE, Retrieved, nullptr, GetCurrentThreadId());
        std::thread(Helper).detach();
        return true;
    }();
    (void)started;
    std::lock_guard lock(g_mutex);
    g_events.push_back(event);
    SendNext();
}

// An absolute position in the 0..65535 range that maps back to exactly (x, y) on the primary screen.
INPUT MouseInput(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    const LONG width = GetSystemMetrics(SM_CXSCREEN);
    const LONG height = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = (g_cursor.x * 65536 + width - 1) / width;
    input.mi.dy = (g_cursor.y * 65536 + height - 1) / height;
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

DWORD ButtonFlag(emu::Button button, bool down) {
    switch (button) {
    case emu::Button::Right:
        return down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    case emu::Button::Middle:
        return down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
    default:
        return down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
}

bool IsExtendedKey(UINT vk) {
    switch (vk) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
    case VK_INSERT:
    case VK_DELETE:
    case VK_DIVIDE:
    case VK_RCONTROL:
    case VK_RMENU:
        return true;
    default:
        return false;
    }
}

INPUT KeyInput(UINT vk, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(vk);
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (down ? 0 : KEYEVENTF_KEYUP) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

void Move(int x, int y, bool newClick) {
    g_cursor = {x, y};
    Event event;
    event.input = MouseInput(0);
    event.newClick = newClick;
    Queue(event);
}

} // namespace

namespace emu {

void MouseMove(int x, int y) {
    Move(x, y, false);
}

void MouseDown(Button button) {
    Event event;
    event.input = MouseInput(ButtonFlag(button, true));
    event.press = true;
    Queue(event);
}

void MouseUp(Button button) {
    Queue(Event{MouseInput(ButtonFlag(button, false))});
}

void KeyDown(UINT vk) {
    Queue(Event{KeyInput(vk, true)});
}

void KeyUp(UINT vk) {
    Queue(Event{KeyInput(vk, false)});
}

void PressKey(UINT vk) {
    KeyDown(vk);
    KeyUp(vk);
}

void TypeText(const char* text) {
    for (const char* p = text; *p; ++p) {
        SHORT scan = VkKeyScanA(*p);
        if (scan == -1) {
            // Alt held while 0 and the character's three digits are typed on the numeric keypad.
            const unsigned code = static_cast<unsigned char>(*p);
            KeyDown(VK_MENU);
            for (unsigned digit : {0u, code / 100, code / 10 % 10, code % 10})
                PressKey(VK_NUMPAD0 + digit);
            KeyUp(VK_MENU);
            continue;
        }
        const bool shift = (scan & 0x100) != 0;
        if (shift)
            KeyDown(VK_SHIFT);
        PressKey(LOBYTE(scan));
        if (shift)
            KeyUp(VK_SHIFT);
    }
}

void Click(int x, int y, Button button) {
    Move(x, y, true);
    MouseDown(button);
    MouseUp(button);
}

void DoubleClick(int x, int y, Button button) {
    Click(x, y, button);
    MouseDown(button);
    MouseUp(button);
}

void Wait(DWORD milliseconds) {
    Event event;
    event.wait = milliseconds;
    Queue(event);
}

bool HasPendingInput() {
    return detail::InputOutstanding() || HIWORD(GetQueueStatus(QS_INPUT)) != 0;
}

} // namespace emu

namespace emu::detail {

bool InputOutstanding() {
    std::lock_guard lock(g_mutex);
    return !g_events.empty() || g_inFlight || g_waiting;
}

void ResetInput() {
    std::lock_guard lock(g_mutex);
    g_events.clear();
    g_waiting = false;
    g_cursor = {};
    for (UINT vk : {VK_SHIFT, VK_CONTROL, VK_MENU})
        if (GetAsyncKeyState(static_cast<int>(vk)) < 0)
            g_events.push_back(Event{KeyInput(vk, false)});
    g_events.push_back(Event{MouseInput(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_RIGHTUP | MOUSEEVENTF_MIDDLEUP)});
    for (Event& event : g_events)
        SendInput(1, &event.input, sizeof event.input);
    g_events.clear();
    g_inFlight = false;
    g_pressed = false;
}

} // namespace emu::detail
