// The thread's message queue: sending, posting, retrieving in the platform's priority order (posted, input,
// quit, paint, timers), dispatching, timers on the virtual clock, and the emulation's message pump.
#include "core/Core.h"

#include "ResetHooks.h"
#include "emu/Loop.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <map>
#include <mutex>
#include <string>

namespace emu::core {
namespace {

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT elapse;
    DWORD due;
    TIMERPROC proc;
};

struct QueueState {
    std::deque<MSG> posted;
    bool quit = false;
    int quitCode = 0;
    DWORD lastPos = 0;
    LONG lastTime = 0;
    std::vector<Timer> timers;
    UINT_PTR nextThreadTimer = 1;
};

QueueState& State() {
    static QueueState state;
    return state;
}

const detail::ResetHook reset(detail::ResetStage::Last, [] {
    State() = QueueState{};
    State().lastTime = static_cast<LONG>(Now());
});

bool InRange(UINT message, UINT min, UINT max) {
    if (min == 0 && max == 0)
        return true;
    if (min <= max)
        return message >= min && message <= max;
    return message >= min || message <= max;
}

bool Due(const Timer& t) {
    return static_cast<LONG>(Now() - t.due) >= 0;
}

MSG Make(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return MSG{hwnd, message, wParam, lParam, Now(), CursorPos()};
}

// observe: only looks, as WaitMessage does, without hooks or a new message position.
bool Retrieve(MSG* out, const Filter& filter, bool remove, bool observe = false) {
    QueueState& s = State();
    for (;;) {
        auto it =
            std::find_if(s.posted.begin(), s.posted.end(), [&](const MSG& m) { return Matches(m, filter); });
        if (it != s.posted.end()) {
            *out = *it;
            if (remove)
                s.posted.erase(it);
            break;
        }
        if (TakeInput(*out, filter, remove))
            break;
        if (s.quit) {
            *out = Make(nullptr, WM_QUIT, static_cast<WPARAM>(s.quitCode), 0);
            if (remove)
                s.quit = false;
            break;
        }
        if (!filter.threadOnly && InRange(WM_PAINT, filter.min, filter.max)) {
            if (Window* w = NextWindowToPaint(filter.window)) {
                *out = Make(w->handle, WM_PAINT, 0, 0);
                if (remove)
                    w->paintTaken = true;
                break;
            }
        }
        Timer* next = nullptr;
        if (InRange(WM_TIMER, filter.min, filter.max)) {
            for (Timer& t : s.timers) {
                MSG probe = Make(t.hwnd, WM_TIMER, t.id, 0);
                if (Due(t) && Matches(probe, filter) && (!next || static_cast<LONG>(t.due - next->due) < 0))
                    next = &t;
            }
        }
        if (next) {
            *out = Make(next->hwnd, WM_TIMER, next->id, reinterpret_cast<LPARAM>(next->proc));
            if (remove)
                next->due = Now() + next->elapse;
            break;
        }
        const Timer* coming = nullptr;
        for (const Timer& t : s.timers) {
            if (!Due(t) && (!coming || static_cast<LONG>(t.due - coming->due) < 0))
                coming = &t;
        }
        if (PassTime(coming ? &coming->due : nullptr))
            continue;
        return false;
    }
    if (observe)
        return true;
    s.lastTime = static_cast<LONG>(out->time);
    s.lastPos = static_cast<DWORD>(MAKELONG(out->pt.x, out->pt.y));
    if (HasHooks(WH_GETMESSAGE))
        CallHooks(WH_GETMESSAGE, HC_ACTION, remove ? PM_REMOVE : PM_NOREMOVE, reinterpret_cast<LPARAM>(out));
    return true;
}

bool MakeFilter(HWND hwnd, UINT min, UINT max, Filter& filter) {
    filter = Filter{nullptr, false, min, max};
    if (hwnd == reinterpret_cast<HWND>(-1)) {
        filter.threadOnly = true;
    } else if (hwnd) {
        filter.window = Check(hwnd);
        if (!filter.window)
            return false;
    }
    return true;
}

} // namespace

bool Matches(const MSG& msg, const Filter& filter) {
    if (msg.message == WM_QUIT)
        return true;
    if (filter.threadOnly && msg.hwnd)
        return false;
    if (filter.window) {
        Window* w = Find(msg.hwnd);
        if (!w || !IsDescendant(filter.window, w))
            return false;
    }
    return InRange(msg.message, filter.min, filter.max);
}

bool HasQueuedWork() {
    const QueueState& s = State();
    return !s.posted.empty() || s.quit || NextWindowToPaint(nullptr) ||
           std::any_of(s.timers.begin(), s.timers.end(), Due);
}

void PostFront(const MSG& msg) {
    State().posted.push_front(msg);
}

void PurgeWindowMessages(HWND hwnd) {
    auto& posted = State().posted;
    posted.erase(
        std::remove_if(posted.begin(), posted.end(), [hwnd](const MSG& m) { return m.hwnd == hwnd; }),
        posted.end());
    DropInputFor(hwnd);
}

void KillWindowTimers(HWND hwnd) {
    auto& timers = State().timers;
    timers.erase(
        std::remove_if(timers.begin(), timers.end(), [hwnd](const Timer& t) { return t.hwnd == hwnd; }),
        timers.end());
}

bool TimerProcValid(HWND hwnd, UINT_PTR id, LPARAM proc) {
    for (const Timer& t : State().timers) {
        if (t.hwnd == hwnd && t.id == id && reinterpret_cast<LPARAM>(t.proc) == proc)
            return true;
    }
    return false;
}

} // namespace emu::core

using namespace emu::core;

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Check(hWnd);
    return w ? Send(w, Msg, wParam, lParam) : 0;
}

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd && !Check(hWnd))
        return FALSE;
    State().posted.push_back(Make(hWnd, Msg, wParam, lParam));
    return TRUE;
}

BOOL WINAPI PostThreadMessageA(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (idThread != kThreadId) {
        SetLastError(kErrorInvalidThreadId);
        return FALSE;
    }
    State().posted.push_back(Make(nullptr, Msg, wParam, lParam));
    return TRUE;
}

void WINAPI PostQuitMessage(int nExitCode) {
    State().quit = true;
    State().quitCode = nExitCode;
}

BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    Filter filter;
    if (!lpMsg || !MakeFilter(hWnd, wMsgFilterMin, wMsgFilterMax, filter))
        return -1;
    if (Retrieve(lpMsg, filter, true))
        return lpMsg->message != WM_QUIT;
    // Nothing left to wait for: a captured mouse is let go first, as a user's cancel would; then the loop
    // is told to quit.
    if (GetCapture()) {
        ReleaseCapture();
        if (Retrieve(lpMsg, filter, true))
            return lpMsg->message != WM_QUIT;
    }
    *lpMsg = Make(nullptr, WM_QUIT, 0, 0);
    State().lastTime = static_cast<LONG>(lpMsg->time);
    State().lastPos = static_cast<DWORD>(MAKELONG(lpMsg->pt.x, lpMsg->pt.y));
    return FALSE;
}

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
    Filter filter;
    if (!lpMsg || !MakeFilter(hWnd, wMsgFilterMin, wMsgFilterMax, filter))
        return FALSE;
    return Retrieve(lpMsg, filter, (wRemoveMsg & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL WINAPI WaitMessage(void) {
    MSG msg;
    if (Retrieve(&msg, Filter{}, false, true))
        return TRUE;
    if (GetCapture()) {
        ReleaseCapture();
        return TRUE;
    }
    PostQuitMessage(0);
    return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG* lpMsg) {
    if (!lpMsg)
        return 0;
    if (lpMsg->message == WM_TIMER && lpMsg->lParam) {
        if (TimerProcValid(lpMsg->hwnd, lpMsg->wParam, lpMsg->lParam))
            reinterpret_cast<TIMERPROC>(lpMsg->lParam)(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, GetTickCount());
        return 0;
    }
    if (!lpMsg->hwnd)
        return 0;
    Window* w = Check(lpMsg->hwnd);
    if (!w)
        return 0;
    if (lpMsg->message != WM_PAINT)
        return CallProc(w, w->proc, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
    ++w->busy;
    LRESULT result = CallProc(w, w->proc, WM_PAINT, lpMsg->wParam, lpMsg->lParam);
    // A window that did not paint would be asked again and again: its update region is dropped.
    if (!w->dead) {
        if (NeedsPaint(w))
            ForgetPaint(w);
        w->paintTaken = false;
    }
    Release(w);
    return result;
}

DWORD WINAPI GetMessagePos(void) {
    return State().lastPos;
}

LONG WINAPI GetMessageTime(void) {
    return State().lastTime;
}

// Every send here comes from the same thread, which is never what InSendMessage reports.
BOOL WINAPI InSendMessage(void) {
    return FALSE;
}

UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc) {
    if (hWnd && !Check(hWnd))
        return 0;
    uElapse = std::clamp<UINT>(uElapse, 10, 0x7FFFFFFF);
    auto& timers = State().timers;
    if (!hWnd) {
        auto it = std::find_if(timers.begin(), timers.end(),
                               [&](const Timer& t) { return !t.hwnd && nIDEvent && t.id == nIDEvent; });
        if (it == timers.end()) {
            nIDEvent = State().nextThreadTimer++;
            timers.push_back(Timer{nullptr, nIDEvent, uElapse, Now() + uElapse, lpTimerFunc});
        } else {
            *it = Timer{nullptr, nIDEvent, uElapse, Now() + uElapse, lpTimerFunc};
        }
        return nIDEvent;
    }
    auto it = std::find_if(timers.begin(), timers.end(),
                           [&](const Timer& t) { return t.hwnd == hWnd && t.id == nIDEvent; });
    if (it == timers.end())
        timers.push_back(Timer{hWnd, nIDEvent, uElapse, Now() + uElapse, lpTimerFunc});
    else
        *it = Timer{hWnd, nIDEvent, uElapse, Now() + uElapse, lpTimerFunc};
    return nIDEvent ? nIDEvent : 1;
}

BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
    if (hWnd && !Check(hWnd))
        return FALSE;
    auto& timers = State().timers;
    auto it = std::find_if(timers.begin(), timers.end(),
                           [&](const Timer& t) { return t.hwnd == hWnd && t.id == uIDEvent; });
    if (it == timers.end()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    timers.erase(it);
    return TRUE;
}

DWORD WINAPI GetTickCount(void) {
    return Now();
}

namespace emu {

int PumpMessages(BOOL (*pumpOne)()) {
    int count = 0;
    for (;;) {
        MSG msg;
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) || msg.message == WM_QUIT)
            break;
        if (pumpOne) {
            if (!pumpOne())
                break;
        } else {
            GetMessageA(&msg, nullptr, 0, 0);
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        ++count;
    }
    return count;
}

} // namespace emu

// Registered messages: numbered from 0xC000 in the order their names first came, for the whole process.
UINT WINAPI RegisterWindowMessageA(LPCSTR lpString) {
    if (lpString == nullptr || *lpString == '\0') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string name(lpString);
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    static std::mutex mutex;
    static std::map<std::string, UINT> registered;
    std::lock_guard lock(mutex);
    auto it = registered.find(name);
    if (it != registered.end())
        return it->second;
    if (registered.size() > 0xFFFF - 0xC000) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    UINT message = 0xC000 + static_cast<UINT>(registered.size());
    registered.emplace(name, message);
    return message;
}
