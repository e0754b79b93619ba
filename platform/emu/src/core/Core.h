// The window manager's internal model, shared by the files of the core: window classes, windows with their
// handle table, and the helpers every part uses to send messages and convert coordinates.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace emu::core {

// Error codes of the window manager that the shared error header does not name.
constexpr DWORD kErrorInvalidIndex = 1413;
constexpr DWORD kErrorClassHasWindows = 1412;
constexpr DWORD kErrorTlwWithChild = 1406;
constexpr DWORD kErrorInvalidHookHandle = 1404;
constexpr DWORD kErrorInvalidHookFilter = 1426;
constexpr DWORD kErrorInvalidThreadId = 1444;
constexpr DWORD kErrorNoScrollbars = 1447;
constexpr DWORD kErrorControlIdNotFound = 1421;
constexpr DWORD kErrorAccessDenied = 5;
constexpr DWORD kErrorHookNeedsModule = 1428;
constexpr DWORD kErrorInvalidHandle = 6;

// The one thread of the emulation.
constexpr DWORD kThreadId = 0x0F04;

// Internal WINDOWPOS flags that tell DefWindowProc whether the client area moved or changed size.
constexpr UINT kSwpNoClientSize = 0x0800;
constexpr UINT kSwpNoClientMove = 0x1000;

struct WndClass {
    ATOM atom = 0;
    std::string name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int clsExtra = 0;
    int wndExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON iconSm = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    LPCSTR menuName = nullptr;
    std::string menuNameText;
    std::vector<BYTE> extra;
    int windows = 0;
    bool unregistered = false;
};

struct ScrollBar {
    bool present = false; // has scroll information (set, or created with the style)
    int min = 0;
    int max = 0;
    UINT page = 0;
    int pos = 0;
};

struct Window {
    HWND handle = nullptr;
    WndClass* cls = nullptr;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HINSTANCE instance = nullptr;
    LONG_PTR id = 0; // control ID of a child, menu of a top-level window
    LONG_PTR userData = 0;

    Window* parent = nullptr;
    Window* owner = nullptr;
    Window* firstChild = nullptr; // top of the Z order
    Window* lastChild = nullptr;
    Window* next = nullptr; // the sibling below
    Window* prev = nullptr; // the sibling above
    bool linked = false;

    RECT rect{};   // window rectangle, in the parent's client coordinates
    RECT client{}; // client rectangle, in the parent's client coordinates
    RECT normal{}; // rectangle to restore after minimise or maximise

    std::string text;
    HICON bigIcon = nullptr; // WM_SETICON
    HICON smallIcon = nullptr;
    std::vector<std::pair<std::string, HANDLE>> props;
    std::vector<BYTE> extra;

    RECT update{}; // update region (bounding rectangle, client coordinates)
    bool erase = false;
    bool internalPaint = false;
    bool paintTaken = false; // WM_PAINT retrieved but not yet dispatched

    ScrollBar hscroll;
    ScrollBar vscroll;

    int busy = 0;            // window procedure calls in progress
    bool destroying = false; // DestroyWindow under way
    bool dead = false;       // handle released; freed when no longer busy
    bool created = false;    // CreateWindowEx finished
};

// Handle table. A handle is a slot index (low 20 bits) and the slot's generation (next 11 bits), so it fits
// in 32 bits, is validated in constant time, and a freed slot comes back only after many others were used.
// Every call with a window handle looks it up, so the lookup is inline.
struct HandleSlot {
    uint32_t generation = 0;
    Window* window = nullptr;
};
constexpr uint32_t kHandleIndexBits = 20;
// The slots by index; slot 0 is never used. Empty before the first window.
extern std::vector<HandleSlot> g_handleSlots;

// NULL for a stale, foreign or null handle.
inline Window* Find(HWND hwnd) {
    auto raw = reinterpret_cast<uintptr_t>(hwnd);
    if (raw > UINT32_MAX)
        return nullptr;
    uint32_t index = static_cast<uint32_t>(raw) & ((1u << kHandleIndexBits) - 1);
    if (index == 0 || index >= g_handleSlots.size())
        return nullptr;
    const HandleSlot& slot = g_handleSlots[index];
    return slot.generation == static_cast<uint32_t>(raw) >> kHandleIndexBits ? slot.window : nullptr;
}
// As Find, and sets ERROR_INVALID_WINDOW_HANDLE when NULL.
inline Window* Check(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w)
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return w;
}
Window* Desktop();
Window* MessageRoot();               // parent of message-only windows
std::vector<HWND> TopLevelWindows(); // children of the desktop and of the message root, in Z order

// Z order.
void Link(Window* window, Window* after); // after: nullptr = top, otherwise the sibling above
void Unlink(Window* window);

// After a call that kept the window busy.
inline void Release(Window* w) {
    if (--w->busy == 0 && w->dead)
        delete w;
}

// Message delivery. Send keeps the window alive for the duration of the call.
LRESULT Send(Window* window, UINT msg, WPARAM wParam, LPARAM lParam);
inline LRESULT CallProc(Window* w, WNDPROC proc, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!proc)
        return 0;
    ++w->busy;
    LRESULT result = proc(w->handle, msg, wParam, lParam);
    Release(w);
    return result;
}

// Tree relations.
inline bool IsChildWindow(const Window* w) {
    return (w->style & WS_CHILD) != 0;
}
bool IsTopLevel(const Window* w);
bool IsDescendant(const Window* ancestor, const Window* w);
Window* Root(Window* w); // the top-level window that contains w
bool IsVisible(const Window* w);

// Geometry.
POINT ClientOrigin(const Window* w); // client origin in screen coordinates
RECT ScreenRect(const Window* w);    // window rectangle in screen coordinates
RECT ScreenClient(const Window* w);  // client rectangle in screen coordinates
void ComputeClient(Window* w, const RECT& rect, RECT& client);
LRESULT HitTest(Window* w, POINT screen); // the default non-client hit test
bool SetPosition(Window* w, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
void FillMinMaxInfo(Window* w, MINMAXINFO& info);
// Deepest visible, enabled window at the screen point (sends WM_NCHITTEST); hit receives its code.
Window* WindowAt(POINT screen, LRESULT* hit);

// Painting.
void Invalidate(Window* w, const RECT* rect, bool erase, bool children);
void Validate(Window* w, const RECT* rect);
Window* NextWindowToPaint(Window* filter);
void SendPaintNow(Window* w);
void ForgetPaint(Window* w);
bool NeedsPaint(const Window* w);

// Focus, activation and capture.
void ActivateWindow(Window* w, bool byMouse);
void ActivateOther(Window* leaving);
void OnHideOrDisable(Window* w); // takes focus and activation away from a window that can no longer have them
HWND CaptureWindow();
void ReleaseCaptureFor(Window* w);

// Hooks. Each type has a slot; a sent message asks whether any WH_CALLWNDPROC hook is live.
constexpr int kHookTypes = 4;
constexpr int HookSlot(int type) {
    switch (type) {
    case WH_MSGFILTER:
        return 0;
    case WH_GETMESSAGE:
        return 1;
    case WH_CALLWNDPROC:
        return 2;
    case WH_CBT:
        return 3;
    default:
        return -1;
    }
}
extern int g_liveHooks[kHookTypes]; // hooks set and not removed, by slot
inline bool HasHooks(int type) {
    int slot = HookSlot(type);
    return slot >= 0 && g_liveHooks[slot] > 0;
}
LRESULT CallHooks(int type, int code, WPARAM wParam, LPARAM lParam);
void ClearHooks();

// Queue and timers.
struct Filter {
    Window* window = nullptr; // messages of this window and its children; NULL for all
    bool threadOnly = false;  // only messages without a window
    UINT min = 0;
    UINT max = 0;
};
bool Matches(const MSG& msg, const Filter& filter);
void PostFront(const MSG& msg); // ahead of everything posted, as the message retrieved next
// True while a posted message, a quit, a window to paint or a due timer waits; queued input aside.
bool HasQueuedWork();
void PurgeWindowMessages(HWND hwnd);
void KillWindowTimers(HWND hwnd);
bool TimerProcValid(HWND hwnd, UINT_PTR id, LPARAM proc);

// Virtual time and simulated input.
DWORD Now();
POINT CursorPos();
// The next input event as a message (converting it, with the messages the conversion sends, on first look);
// true when it matches the filter. Events that give no message are consumed on the way.
bool TakeInput(MSG& msg, const Filter& filter, bool remove);
// Lets time pass when the head of the input is a wait: up to its end, or up to nextDue (the next timer) when
// that comes first. True if time passed.
bool PassTime(const DWORD* nextDue);
void DropInputFor(HWND hwnd);

// Destruction.
bool DestroyTree(Window* w);

// The window's copy of the system menu (GetSystemMenu), destroyed with the window.
void ForgetSystemMenu(HWND hwnd);

// Scroll bars created with the window's style.
void InitScrollBars(Window* w);

// Classes.
WndClass* FindClassForCreate(LPCSTR name, HINSTANCE instance);
// The system's own window classes ("Button", "Static", the dialog class, ...) are registered by the parts of
// the emulation that implement them, the first time any class is looked up: each part declares a static
// SystemClasses object with its registration function.
struct SystemClasses {
    explicit SystemClasses(void (*registerClasses)());
};
// The emulation's own module, to which the system's window classes belong.
HINSTANCE SystemModule();
void ReleaseClass(WndClass* cls);
void UnregisterClassesExcept(HMODULE keep);

// Text.
bool EqualNoCase(const std::string& a, LPCSTR b);
// Copies at most size - 1 characters and a terminating NUL; returns the characters copied.
int CopyText(const std::string& text, LPSTR buffer, int size);

} // namespace emu::core
