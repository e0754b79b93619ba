// The default window procedure and CallWindowProc.
#include "core/Core.h"
#include "render/Render.h"
#include "resources/Icons.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

using namespace emu::core;

namespace {

void SetText(Window* w, LPCSTR text) {
    w->text = text ? text : "";
}

POINT ScreenPoint(Window* w, LPARAM lParam) {
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(w->handle, &pt);
    return pt;
}

// The icon WM_GETICON answers: the one set with WM_SETICON; for ICON_SMALL2 without a small one, a small
// icon the system makes from the big icon or the class's icon.
HICON WindowIcon(const Window* w, WPARAM kind) {
    switch (kind) {
    case ICON_BIG:
        return w->bigIcon;
    case ICON_SMALL:
        return w->smallIcon;
    case ICON_SMALL2:
        if (w->smallIcon)
            return w->smallIcon;
        if (HICON source = w->bigIcon ? w->bigIcon : w->cls->icon)
            return emu::detail::SmallIconOf(source);
        return w->cls->iconSm;
    default:
        return nullptr;
    }
}

// Children ask their parent first; a non-zero answer is final.
LRESULT AskParent(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!IsChildWindow(w) || !w->parent || w->parent == Desktop() || w->parent == MessageRoot())
        return 0;
    return Send(w->parent, msg, wParam, lParam);
}

} // namespace

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(hWnd);
    if (!w)
        return 0;
    switch (Msg) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        // A name that is a resource's ordinal (0xFF and the ordinal's two bytes, as the dialog manager gives
        // a control's icon) is kept as text like any other, as the real platform's procedure keeps it.
        if (cs)
            SetText(w, cs->lpszName);
        return TRUE;
    }
    case WM_NCCALCSIZE: {
        RECT* rect = reinterpret_cast<RECT*>(lParam);
        if (!rect)
            return 0;
        RECT client;
        ComputeClient(w, *rect, client);
        if (w->style & WS_MINIMIZE)
            client = RECT{rect->left, rect->top, rect->left, rect->top};
        *rect = client;
        return 0;
    }
    case WM_NCHITTEST:
        return HitTest(w, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_SETTEXT:
        SetText(w, reinterpret_cast<LPCSTR>(lParam));
        return TRUE;
    case WM_GETTEXT:
        return CopyText(w->text, reinterpret_cast<LPSTR>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_SETICON: {
        if (wParam != ICON_BIG && wParam != ICON_SMALL)
            return 0;
        HICON& icon = wParam == ICON_BIG ? w->bigIcon : w->smallIcon;
        HICON previous = icon;
        icon = reinterpret_cast<HICON>(lParam);
        return reinterpret_cast<LRESULT>(previous);
    }
    case WM_GETICON:
        return reinterpret_cast<LRESULT>(WindowIcon(w, wParam));
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hWnd, &ps);
        EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: {
        if (!w->cls->background)
            return 0;
        RECT client;
        GetClientRect(hWnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, w->cls->background);
        return 1;
    }
    case WM_NCPAINT:
        emu::render::PaintNonClient(hWnd);
        return 0;
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        // The system's colours: a window's for edits and lists, the dialog face for the others.
        auto dc = reinterpret_cast<HDC>(wParam);
        int back = Msg == WM_CTLCOLOREDIT || Msg == WM_CTLCOLORLISTBOX ? COLOR_WINDOW : COLOR_3DFACE;
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(back));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(back));
    }
    case WM_SYSCOMMAND:
        // The low four bits are the system's own.
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            Send(w, WM_CLOSE, 0, 0);
            break;
        case SC_MINIMIZE:
            ShowWindow(hWnd, SW_MINIMIZE);
            break;
        case SC_MAXIMIZE:
            ShowWindow(hWnd, SW_MAXIMIZE);
            break;
        case SC_RESTORE:
            ShowWindow(hWnd, SW_RESTORE);
            break;
        default:
            // Moving, sizing and the menu's own loop need a person at a screen.
            break;
        }
        return 0;
    case WM_SYSKEYDOWN:
        // Alt+F4 closes the top-level window through its system menu's command.
        if (wParam == VK_F4 && (lParam & (1 << 29)) && GetKeyState(VK_CONTROL) >= 0)
            PostMessageA(Root(w)->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_WINDOWPOSCHANGING: {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (pos && !(pos->flags & SWP_NOSIZE) &&
            ((w->style & WS_THICKFRAME) || !(w->style & (WS_POPUP | WS_CHILD)))) {
            MINMAXINFO info;
            FillMinMaxInfo(w, info);
            Send(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
            if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) {
                pos->cx = std::max(std::min(pos->cx, static_cast<int>(info.ptMaxTrackSize.x)),
                                   static_cast<int>(info.ptMinTrackSize.x));
                pos->cy = std::max(std::min(pos->cy, static_cast<int>(info.ptMaxTrackSize.y)),
                                   static_cast<int>(info.ptMinTrackSize.y));
            }
        }
        return 0;
    }
    case WM_WINDOWPOSCHANGED: {
        auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!pos)
            return 0;
        if (!(pos->flags & kSwpNoClientMove))
            Send(w, WM_MOVE, 0, MAKELPARAM(w->client.left, w->client.top));
        if (!(pos->flags & kSwpNoClientSize) && (w = Find(hWnd))) {
            WPARAM kind = (w->style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                          : (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                                     : SIZE_RESTORED;
            Send(w, WM_SIZE, kind,
                 MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
        }
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !(Root(w)->style & WS_MINIMIZE))
            SetFocus(hWnd);
        return 0;
    case WM_NCACTIVATE:
        return TRUE;
    case WM_MOUSEACTIVATE: {
        LRESULT parent = AskParent(w, Msg, wParam, lParam);
        return parent ? parent : MA_ACTIVATE;
    }
    case WM_SETCURSOR:
        return AskParent(w, Msg, wParam, lParam);
    case WM_CONTEXTMENU:
        AskParent(w, Msg, wParam, lParam);
        return 0;
    case WM_RBUTTONUP: {
        POINT pt = ScreenPoint(w, lParam);
        Send(w, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(pt.x, pt.y));
        return 0;
    }
    case WM_NCRBUTTONUP:
        Send(w, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hWnd), lParam);
        return 0;
    case WM_SETREDRAW:
        // Turning redraw off clears the visible bit without any message; turning it on sets it again.
        if (wParam)
            w->style |= WS_VISIBLE;
        else
            w->style &= ~WS_VISIBLE;
        return 0;
    case WM_CANCELMODE:
        if (GetCapture() == hWnd)
            ReleaseCapture();
        return 0;
    case WM_SHOWWINDOW:
    case WM_PARENTNOTIFY:
    case WM_GETMINMAXINFO:
    default:
        return 0;
    }
}

LRESULT WINAPI CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (!lpPrevWndFunc)
        return 0;
    Window* w = Find(hWnd);
    if (!w)
        return lpPrevWndFunc(hWnd, Msg, wParam, lParam);
    return CallProc(w, lpPrevWndFunc, Msg, wParam, lParam);
}
