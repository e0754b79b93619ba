// Keyboard focus, activation of top-level windows, mouse capture, showing, minimising and maximising, and
// enabling windows.
#include "core/Core.h"

#include "ResetHooks.h"

namespace emu::core {
namespace {

struct FocusState {
    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
};

FocusState& State() {
    static FocusState state;
    return state;
}

const detail::ResetHook reset(detail::ResetStage::Last, [] { State() = FocusState{}; });

// Moves the focus without asking the hook: WM_KILLFOCUS to the old window, then WM_SETFOCUS to the new.
void MoveFocus(HWND hwnd) {
    HWND previous = State().focus;
    if (previous == hwnd)
        return;
    State().focus = hwnd;
    if (Window* old = Find(previous))
        Send(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    Window* w = Find(hwnd);
    if (w && State().focus == hwnd)
        Send(w, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
}

WPARAM ActivateParam(WORD state, const Window* w) {
    return MAKEWPARAM(state, (w->style & WS_MINIMIZE) ? 1 : 0);
}

void SendActivateApp(BOOL active) {
    for (HWND top : TopLevelWindows()) {
        Window* t = Find(top);
        if (t && t->parent == Desktop())
            Send(t, WM_ACTIVATEAPP, active, 0);
    }
}

void Deactivate() {
    HWND previous = State().active;
    State().active = nullptr;
    if (Window* old = Find(previous)) {
        Send(old, WM_NCACTIVATE, FALSE, 0);
        if ((old = Find(previous)))
            Send(old, WM_ACTIVATE, ActivateParam(WA_INACTIVE, old), 0);
        SendActivateApp(FALSE);
    }
    if (!State().active)
        MoveFocus(nullptr);
}

bool CanActivate(const Window* w) {
    return w->parent == Desktop() && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED);
}

RECT MaximizedRect(Window* w) {
    MINMAXINFO info;
    FillMinMaxInfo(w, info);
    if (!IsTopLevel(w)) {
        RECT parent{0, 0, w->parent->client.right - w->parent->client.left,
                    w->parent->client.bottom - w->parent->client.top};
        RECT r = parent;
        RECT frame{0, 0, 0, 0};
        AdjustWindowRectEx(&frame, w->style & ~WS_CAPTION, FALSE, w->exStyle);
        InflateRect(&r, -frame.left, -frame.top);
        info.ptMaxPosition = POINT{r.left, r.top};
        info.ptMaxSize = POINT{r.right - r.left, r.bottom - r.top};
    }
    HWND hwnd = w->handle;
    Send(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    if (!Find(hwnd))
        return RECT{};
    return RECT{info.ptMaxPosition.x, info.ptMaxPosition.y, info.ptMaxPosition.x + info.ptMaxSize.x,
                info.ptMaxPosition.y + info.ptMaxSize.y};
}

} // namespace

HWND CaptureWindow() {
    return State().capture;
}

void ActivateWindow(Window* w, bool byMouse) {
    w = Root(w);
    if (w->parent != Desktop())
        return;
    HWND hwnd = w->handle;
    HWND previous = State().active;
    if (previous == hwnd)
        return;
    if (HasHooks(WH_CBT)) {
        CBTACTIVATESTRUCT cas{byMouse ? TRUE : FALSE, previous};
        if (CallHooks(WH_CBT, HCBT_ACTIVATE, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(&cas)))
            return;
        if (!(w = Find(hwnd)))
            return;
    }
    if (w->prev && ((w->exStyle & WS_EX_TOPMOST) || !(w->prev->exStyle & WS_EX_TOPMOST))) {
        SetPosition(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (!(w = Find(hwnd)))
            return;
    }
    State().active = hwnd;
    if (Window* old = Find(previous)) {
        Send(old, WM_NCACTIVATE, FALSE, 0);
        if ((old = Find(previous)))
            Send(old, WM_ACTIVATE, ActivateParam(WA_INACTIVE, old), reinterpret_cast<LPARAM>(hwnd));
    } else {
        SendActivateApp(TRUE);
    }
    if (!(w = Find(hwnd)) || State().active != hwnd)
        return;
    Send(w, WM_NCACTIVATE, TRUE, 0);
    if ((w = Find(hwnd)) && State().active == hwnd)
        Send(w, WM_ACTIVATE, ActivateParam(byMouse ? WA_CLICKACTIVE : WA_ACTIVE, w),
             reinterpret_cast<LPARAM>(previous));
    // The active window holds the focus unless its handler placed it on one of its children.
    if ((w = Find(hwnd)) && State().active == hwnd) {
        Window* focus = Find(State().focus);
        if (!focus || Root(focus) != w)
            MoveFocus(hwnd);
    }
}

void ActivateOther(Window* leaving) {
    Window* next = nullptr;
    if (leaving->owner && CanActivate(leaving->owner))
        next = leaving->owner;
    for (Window* c = Desktop()->firstChild; c && !next; c = c->next) {
        if (c != leaving && c->owner != leaving && CanActivate(c))
            next = c;
    }
    if (next)
        ActivateWindow(next, false);
    if (State().active == leaving->handle)
        Deactivate();
}

void OnHideOrDisable(Window* w) {
    HWND hwnd = w->handle;
    Window* active = Find(State().active);
    if (active && active == w)
        ActivateOther(w);
    if (!(w = Find(hwnd)))
        return;
    Window* focus = Find(State().focus);
    if (focus && IsDescendant(w, focus)) {
        bool disabled = (w->style & WS_DISABLED) != 0;
        Window* parent = IsTopLevel(w) || disabled ? nullptr : w->parent;
        MoveFocus(parent ? parent->handle : nullptr);
    }
}

void ReleaseCaptureFor(Window* w) {
    Window* capture = Find(State().capture);
    if (capture && IsDescendant(w, capture))
        ReleaseCapture();
}

} // namespace emu::core

using namespace emu::core;

HWND WINAPI SetFocus(HWND hWnd) {
    HWND previous = State().focus;
    if (!hWnd) {
        if (HasHooks(WH_CBT) && CallHooks(WH_CBT, HCBT_SETFOCUS, 0, reinterpret_cast<LPARAM>(previous)))
            return nullptr;
        MoveFocus(nullptr);
        return previous;
    }
    Window* w = Check(hWnd);
    if (!w)
        return nullptr;
    if (hWnd == previous)
        return previous;
    for (Window* p = w; p && p != Desktop(); p = p->parent) {
        if (p->style & (WS_DISABLED | WS_MINIMIZE))
            return nullptr;
        if (p == MessageRoot())
            return nullptr;
    }
    if (HasHooks(WH_CBT) &&
        CallHooks(WH_CBT, HCBT_SETFOCUS, reinterpret_cast<WPARAM>(hWnd), reinterpret_cast<LPARAM>(previous)))
        return nullptr;
    if (!(w = Find(hWnd)))
        return nullptr;
    Window* root = Root(w);
    if (root->handle != State().active) {
        ActivateWindow(root, false);
        if (!Find(hWnd))
            return nullptr;
    }
    MoveFocus(hWnd);
    return previous;
}

HWND WINAPI GetFocus(void) {
    return Find(State().focus) ? State().focus : nullptr;
}

HWND WINAPI SetCapture(HWND hWnd) {
    HWND previous = State().capture;
    if (hWnd && !Check(hWnd))
        return nullptr;
    if (previous == hWnd)
        return previous;
    State().capture = hWnd;
    if (Window* old = Find(previous))
        Send(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
    return Find(previous) ? previous : nullptr;
}

BOOL WINAPI ReleaseCapture(void) {
    HWND previous = State().capture;
    if (!previous)
        return TRUE;
    State().capture = nullptr;
    if (Window* old = Find(previous))
        Send(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND WINAPI GetCapture(void) {
    return Find(State().capture) ? State().capture : nullptr;
}

HWND WINAPI GetActiveWindow(void) {
    return Find(State().active) ? State().active : nullptr;
}

HWND WINAPI SetActiveWindow(HWND hWnd) {
    HWND previous = GetActiveWindow();
    if (!hWnd) {
        Deactivate();
        return previous;
    }
    Window* w = Check(hWnd);
    if (!w)
        return nullptr;
    Window* root = Root(w);
    if (root->parent != Desktop() || (root->style & WS_DISABLED)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    ActivateWindow(root, false);
    return previous;
}

HWND WINAPI GetForegroundWindow(void) {
    return GetActiveWindow();
}

BOOL WINAPI SetForegroundWindow(HWND hWnd) {
    Window* w = Check(hWnd);
    if (!w)
        return FALSE;
    Window* root = Root(w);
    if (root->parent != Desktop())
        return FALSE;
    ActivateWindow(root, false);
    return State().active == root->handle;
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
    Window* w = Check(hWnd);
    if (!w || w == Desktop() || w == MessageRoot())
        return FALSE;
    bool wasVisible = (w->style & WS_VISIBLE) != 0;
    bool show = nCmdShow != SW_HIDE;
    UINT flags = SWP_NOZORDER;
    bool activate = nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE &&
                    nCmdShow != SW_SHOWMINNOACTIVE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_HIDE;
    if (!activate || !IsTopLevel(w))
        flags |= SWP_NOACTIVATE;
    else
        flags &= ~SWP_NOZORDER;
    RECT target = w->rect;
    bool frame = false;
    switch (nCmdShow) {
    case SW_SHOWMAXIMIZED:
        if (!(w->style & WS_MAXIMIZE)) {
            if (!(w->style & WS_MINIMIZE))
                w->normal = w->rect;
            target = MaximizedRect(w);
            if (!Find(hWnd))
                return FALSE;
            w->style = (w->style & ~WS_MINIMIZE) | WS_MAXIMIZE;
            frame = true;
        }
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        if (!(w->style & WS_MINIMIZE)) {
            if (!(w->style & WS_MAXIMIZE))
                w->normal = w->rect;
            target = RECT{-32000, -32000, -32000 + 160, -32000 + GetSystemMetrics(SM_CYCAPTION) + 5};
            w->style = (w->style & ~WS_MAXIMIZE) | WS_MINIMIZE;
            frame = true;
        }
        break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
        if (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) {
            w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
            target = w->normal;
            frame = true;
        }
        break;
    default:
        break;
    }
    if (show && !wasVisible) {
        Send(w, WM_SHOWWINDOW, TRUE, 0);
        if (!(w = Find(hWnd)))
            return FALSE;
        flags |= SWP_SHOWWINDOW;
    } else if (!show) {
        if (!wasVisible)
            return FALSE;
        Send(w, WM_SHOWWINDOW, FALSE, 0);
        if (!(w = Find(hWnd)))
            return FALSE;
        flags |= SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER;
    }
    if (frame)
        flags |= SWP_FRAMECHANGED;
    else
        flags |= SWP_NOMOVE | SWP_NOSIZE;
    if (show && wasVisible && !frame) {
        if (!(flags & SWP_NOACTIVATE))
            ActivateWindow(w, false);
        return TRUE;
    }
    SetPosition(w, HWND_TOP, target.left, target.top, target.right - target.left, target.bottom - target.top,
                flags);
    return wasVisible ? TRUE : FALSE;
}

BOOL WINAPI IsIconic(HWND hWnd) {
    Window* w = Find(hWnd);
    return w && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL WINAPI IsZoomed(HWND hWnd) {
    Window* w = Find(hWnd);
    return w && (w->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL WINAPI IsWindowVisible(HWND hWnd) {
    Window* w = Find(hWnd);
    return w && IsVisible(w) ? TRUE : FALSE;
}

BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
    Window* w = Check(hWnd);
    if (!w)
        return FALSE;
    bool wasDisabled = (w->style & WS_DISABLED) != 0;
    if (bEnable && wasDisabled) {
        w->style &= ~WS_DISABLED;
        Send(w, WM_ENABLE, TRUE, 0);
    } else if (!bEnable && !wasDisabled) {
        Send(w, WM_CANCELMODE, 0, 0);
        if (!(w = Find(hWnd)))
            return FALSE;
        w->style |= WS_DISABLED;
        OnHideOrDisable(w);
        if ((w = Find(hWnd)))
            ReleaseCaptureFor(w);
        if ((w = Find(hWnd)))
            Send(w, WM_ENABLE, FALSE, 0);
    }
    return wasDisabled ? TRUE : FALSE;
}

BOOL WINAPI IsWindowEnabled(HWND hWnd) {
    Window* w = Find(hWnd);
    return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}
