// Geometry: system metrics, non-client frames, window positions with their messages, coordinate mapping and
// hit testing, and the RECT helpers.
#include "core/Core.h"

#include <algorithm>

namespace emu::core {
namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr int kScrollBar = 16;
constexpr int kCaption = 19;
constexpr int kMenu = 19;
constexpr int kBorder = 1;
constexpr int kEdge = 2;
constexpr int kFrame = 4;
constexpr int kDlgFrame = 3;

// Thickness of the frame on each side (edges included), without caption and scroll bars.
int FrameWidth(DWORD style, DWORD exStyle) {
    int width = 0;
    if (style & WS_THICKFRAME)
        width = kFrame;
    else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        width = kDlgFrame;
    else if (style & WS_BORDER)
        width = kBorder;
    if (exStyle & WS_EX_CLIENTEDGE)
        width += kEdge;
    if (exStyle & WS_EX_STATICEDGE)
        width += kBorder;
    return width;
}

bool HasCaption(DWORD style) {
    return (style & WS_CAPTION) == WS_CAPTION;
}

bool Contains(const RECT& r, POINT pt) {
    return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom;
}

void Reorder(Window* w, HWND insertAfter) {
    Window* parent = w->parent;
    if (!parent)
        return;
    Window* after = nullptr;
    if (insertAfter == HWND_BOTTOM) {
        after = parent->lastChild == w ? w->prev : parent->lastChild;
    } else if (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
        if (IsTopLevel(w)) {
            if (insertAfter == HWND_TOPMOST)
                w->exStyle |= WS_EX_TOPMOST;
            else
                w->exStyle &= ~WS_EX_TOPMOST;
        }
    } else if (insertAfter != HWND_TOP) {
        Window* sibling = Find(insertAfter);
        if (!sibling || sibling->parent != parent || sibling == w)
            return;
        after = sibling;
    }
    if (after == w)
        return;
    Unlink(w);
    // Non-topmost top-level windows stay below the topmost ones.
    if (!after && IsTopLevel(w) && !(w->exStyle & WS_EX_TOPMOST)) {
        for (Window* c = parent->firstChild; c && (c->exStyle & WS_EX_TOPMOST); c = c->next)
            after = c;
    }
    Link(w, after);
}

// Areas of the parent uncovered by a move or size, and areas of the window newly exposed.
void RedrawAfterChange(Window* w, const RECT& oldRect, const RECT& oldClient, bool sized, bool moved) {
    if (!IsVisible(w))
        return;
    Window* parent = w->parent;
    if (parent && parent != Desktop() && parent != MessageRoot() && (moved || sized)) {
        RECT uncovered = oldRect;
        Invalidate(parent, &uncovered, true, false);
    }
    int oldW = oldClient.right - oldClient.left, oldH = oldClient.bottom - oldClient.top;
    int newW = w->client.right - w->client.left, newH = w->client.bottom - w->client.top;
    UINT classStyle = w->cls->style;
    if ((newW != oldW && (classStyle & CS_HREDRAW)) || (newH != oldH && (classStyle & CS_VREDRAW))) {
        Invalidate(w, nullptr, true, false);
        return;
    }
    if (newW > oldW) {
        RECT strip{oldW, 0, newW, newH};
        Invalidate(w, &strip, true, false);
    }
    if (newH > oldH) {
        RECT strip{0, oldH, newW, newH};
        Invalidate(w, &strip, true, false);
    }
}

} // namespace

POINT ClientOrigin(const Window* w) {
    POINT origin{0, 0};
    for (const Window* p = w; p; p = p->parent) {
        origin.x += p->client.left;
        origin.y += p->client.top;
    }
    return origin;
}

RECT ScreenRect(const Window* w) {
    RECT r = w->rect;
    if (w->parent) {
        POINT o = ClientOrigin(w->parent);
        OffsetRect(&r, o.x, o.y);
    }
    return r;
}

RECT ScreenClient(const Window* w) {
    RECT r = w->client;
    if (w->parent) {
        POINT o = ClientOrigin(w->parent);
        OffsetRect(&r, o.x, o.y);
    }
    return r;
}

void ComputeClient(Window* w, const RECT& rect, RECT& client) {
    client = rect;
    int frame = FrameWidth(w->style, w->exStyle);
    InflateRect(&client, -frame, -frame);
    if (HasCaption(w->style))
        client.top += kCaption;
    if (w->style & WS_VSCROLL)
        client.right -= kScrollBar;
    if (w->style & WS_HSCROLL)
        client.bottom -= kScrollBar;
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
}

LRESULT HitTest(Window* w, POINT screen) {
    RECT rect = ScreenRect(w);
    if (!Contains(rect, screen))
        return HTNOWHERE;
    RECT client = ScreenClient(w);
    if (Contains(client, screen))
        return HTCLIENT;
    if ((w->style & WS_VSCROLL) && screen.x >= client.right && screen.x < client.right + kScrollBar &&
        screen.y >= client.top && screen.y < client.bottom)
        return HTVSCROLL;
    if ((w->style & WS_HSCROLL) && screen.y >= client.bottom && screen.y < client.bottom + kScrollBar &&
        screen.x >= client.left && screen.x < client.right)
        return HTHSCROLL;
    if ((w->style & WS_VSCROLL) && (w->style & WS_HSCROLL) && screen.x >= client.right &&
        screen.y >= client.bottom && screen.x < client.right + kScrollBar &&
        screen.y < client.bottom + kScrollBar)
        return HTGROWBOX;
    int frame = FrameWidth(w->style, w->exStyle);
    RECT inner = rect;
    InflateRect(&inner, -frame, -frame);
    if (HasCaption(w->style) && screen.y >= inner.top && screen.y < inner.top + kCaption &&
        Contains(inner, screen))
        return HTCAPTION;
    if (w->style & WS_THICKFRAME) {
        bool left = screen.x < inner.left, right = screen.x >= inner.right;
        bool top = screen.y < inner.top, bottom = screen.y >= inner.bottom;
        if (top)
            return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        if (bottom)
            return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
        if (left)
            return HTLEFT;
        if (right)
            return HTRIGHT;
    }
    return HTBORDER;
}

void FillMinMaxInfo(Window* w, MINMAXINFO& info) {
    int frame = FrameWidth(w->style, w->exStyle);
    info.ptReserved = POINT{0, 0};
    info.ptMaxSize = POINT{kScreenWidth + 2 * frame, kScreenHeight + 2 * frame};
    info.ptMaxPosition = POINT{-frame, -frame};
    info.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    info.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
}

bool SetPosition(Window* w, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    HWND hwnd = w->handle;
    if (w->style & WS_VISIBLE)
        flags &= ~SWP_SHOWWINDOW;
    else
        flags &= ~SWP_HIDEWINDOW;
    if (!IsTopLevel(w))
        flags |= SWP_NOACTIVATE;
    if (insertAfter == hwnd)
        flags |= SWP_NOZORDER;
    if (!(flags & SWP_NOSIZE) && cx == w->rect.right - w->rect.left && cy == w->rect.bottom - w->rect.top)
        flags |= SWP_NOSIZE;
    if (!(flags & SWP_NOMOVE) && x == w->rect.left && y == w->rect.top)
        flags |= SWP_NOMOVE;
    WINDOWPOS pos{hwnd, insertAfter, x, y, std::max(cx, 0), std::max(cy, 0), flags};
    if (flags & SWP_NOMOVE) {
        pos.x = w->rect.left;
        pos.y = w->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        pos.cx = w->rect.right - w->rect.left;
        pos.cy = w->rect.bottom - w->rect.top;
    }
    ++w->busy;
    if (!(flags & SWP_NOSENDCHANGING))
        Send(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (!Find(hwnd)) {
        Release(w);
        return false;
    }
    RECT oldRect = w->rect, oldClient = w->client;
    RECT rect = oldRect;
    if (!(pos.flags & SWP_NOMOVE))
        OffsetRect(&rect, pos.x - rect.left, pos.y - rect.top);
    if (!(pos.flags & SWP_NOSIZE)) {
        rect.right = rect.left + std::max(pos.cx, 0);
        rect.bottom = rect.top + std::max(pos.cy, 0);
    }
    bool moved = rect.left != oldRect.left || rect.top != oldRect.top;
    bool sized = rect.right - rect.left != oldRect.right - oldRect.left ||
                 rect.bottom - rect.top != oldRect.bottom - oldRect.top;
    RECT client = oldClient;
    if (moved || sized || (pos.flags & SWP_FRAMECHANGED)) {
        NCCALCSIZE_PARAMS params{{rect, oldRect, oldClient}, &pos};
        Send(w, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
        if (!Find(hwnd)) {
            Release(w);
            return false;
        }
        client = params.rgrc[0];
    }
    w->rect = rect;
    w->client = client;
    if (!(pos.flags & SWP_NOZORDER))
        Reorder(w, pos.hwndInsertAfter);
    bool clientChanged = !EqualRect(&client, &oldClient);
    if (pos.flags & SWP_SHOWWINDOW) {
        w->style |= WS_VISIBLE;
        Invalidate(w, nullptr, true, true);
    } else if (pos.flags & SWP_HIDEWINDOW) {
        w->style &= ~WS_VISIBLE;
        if (w->parent && w->parent != Desktop() && w->parent != MessageRoot())
            Invalidate(w->parent, &oldRect, true, false);
    } else if (!(pos.flags & SWP_NOREDRAW) && (pos.flags & SWP_FRAMECHANGED) && clientChanged &&
               IsVisible(w)) {
        Invalidate(w, nullptr, true, false);
    } else if (!(pos.flags & SWP_NOREDRAW) && (moved || sized)) {
        RedrawAfterChange(w, oldRect, oldClient, sized, moved);
    }
    if (Find(hwnd) && IsTopLevel(w) && !(pos.flags & SWP_NOACTIVATE) && (w->style & WS_VISIBLE))
        ActivateWindow(w, false);
    if (!Find(hwnd)) {
        Release(w);
        return false;
    }
    if (w->client.right - w->client.left == oldClient.right - oldClient.left &&
        w->client.bottom - w->client.top == oldClient.bottom - oldClient.top)
        pos.flags |= kSwpNoClientSize;
    if (w->client.left == oldClient.left && w->client.top == oldClient.top)
        pos.flags |= kSwpNoClientMove;
    Send(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    // A hidden window gives up activation and focus once its new position is known.
    if ((pos.flags & SWP_HIDEWINDOW) && Find(hwnd))
        OnHideOrDisable(w);
    Release(w);
    return true;
}

namespace {

// The deepest window at the point within w, or NULL when w and all its children are transparent there.
Window* Probe(Window* w, POINT screen, LRESULT* hit) {
    HWND hwnd = w->handle;
    if (Contains(ScreenClient(w), screen)) {
        std::vector<HWND> children;
        for (Window* c = w->firstChild; c; c = c->next) {
            if ((c->style & WS_VISIBLE) && Contains(ScreenRect(c), screen))
                children.push_back(c->handle);
        }
        for (HWND h : children) {
            Window* c = Find(h);
            if (!c)
                continue;
            if (c->style & WS_DISABLED)
                break;
            if (Window* found = Probe(c, screen, hit))
                return found;
        }
    }
    if (!Find(hwnd))
        return nullptr;
    LRESULT code = Send(w, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    if (code == HTTRANSPARENT || !Find(hwnd))
        return nullptr;
    *hit = code;
    return w;
}

} // namespace

Window* WindowAt(POINT screen, LRESULT* hit) {
    *hit = HTNOWHERE;
    std::vector<HWND> tops;
    for (Window* c = Desktop()->firstChild; c; c = c->next) {
        if ((c->style & WS_VISIBLE) && Contains(ScreenRect(c), screen))
            tops.push_back(c->handle);
    }
    for (HWND h : tops) {
        Window* top = Find(h);
        if (!top)
            continue;
        if (top->style & WS_DISABLED)
            return nullptr;
        if (Window* found = Probe(top, screen, hit))
            return found;
    }
    return nullptr;
}

} // namespace emu::core

using namespace emu::core;

int WINAPI GetSystemMetrics(int nIndex) {
    switch (nIndex) {
    case SM_CXSCREEN:
        return kScreenWidth;
    case SM_CYSCREEN:
        return kScreenHeight;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
        return kScrollBar;
    case SM_CYCAPTION:
        return kCaption;
    case SM_CYMENU:
        return kMenu;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return kBorder;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return kDlgFrame;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return kFrame;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return kEdge;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG:
        return 4;
    case SM_CXMINTRACK:
        return 112;
    case SM_CYMINTRACK:
        return 27;
    case SM_CXMAXTRACK:
        return kScreenWidth + 2 * kFrame + 4;
    case SM_CYMAXTRACK:
        return kScreenHeight + 2 * kFrame + 4;
    case SM_SWAPBUTTON:
        return 0;
    default:
        return 0;
    }
}

UINT WINAPI GetDoubleClickTime(void) {
    return 500;
}

BOOL WINAPI AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle) {
    if (!lpRect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    int frame = FrameWidth(dwStyle, dwExStyle);
    InflateRect(lpRect, frame, frame);
    if (HasCaption(dwStyle))
        lpRect->top -= kCaption;
    if (bMenu)
        lpRect->top -= kMenu;
    return TRUE;
}

BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags) {
    Window* w = Check(hWnd);
    if (!w)
        return FALSE;
    if (w == Desktop() || w == MessageRoot()) {
        SetLastError(kErrorAccessDenied);
        return FALSE;
    }
    return SetPosition(w, hWndInsertAfter, X, Y, cx, cy, uFlags) ? TRUE : FALSE;
}

BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
    return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight,
                        SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
    Window* w = Check(hWnd);
    if (!w || !lpRect)
        return FALSE;
    *lpRect = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    return TRUE;
}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
    Window* w = Check(hWnd);
    if (!w || !lpRect)
        return FALSE;
    *lpRect = ScreenRect(w);
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
    Window* w = Check(hWnd);
    if (!w || !lpPoint)
        return FALSE;
    POINT o = ClientOrigin(w);
    lpPoint->x += o.x;
    lpPoint->y += o.y;
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
    Window* w = Check(hWnd);
    if (!w || !lpPoint)
        return FALSE;
    POINT o = ClientOrigin(w);
    lpPoint->x -= o.x;
    lpPoint->y -= o.y;
    return TRUE;
}

int WINAPI MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints) {
    Window* from = hWndFrom ? Check(hWndFrom) : Desktop();
    Window* to = hWndTo ? Check(hWndTo) : Desktop();
    if (!from || !to)
        return 0;
    POINT a = ClientOrigin(from), b = ClientOrigin(to);
    int dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; lpPoints && i < cPoints; ++i) {
        lpPoints[i].x += dx;
        lpPoints[i].y += dy;
    }
    SetLastError(0);
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

HWND WINAPI WindowFromPoint(POINT Point) {
    LRESULT hit;
    Window* w = WindowAt(Point, &hit);
    return w ? w->handle : nullptr;
}

HWND WINAPI ChildWindowFromPointEx(HWND hwnd, POINT pt, UINT flags) {
    Window* parent = Check(hwnd);
    if (!parent)
        return nullptr;
    RECT bounds = parent->rect;
    OffsetRect(&bounds, -parent->client.left, -parent->client.top);
    if (!Contains(bounds, pt))
        return nullptr;
    for (Window* c = parent->firstChild; c; c = c->next) {
        if ((flags & CWP_SKIPINVISIBLE) && !(c->style & WS_VISIBLE))
            continue;
        if ((flags & CWP_SKIPDISABLED) && (c->style & WS_DISABLED))
            continue;
        if ((flags & CWP_SKIPTRANSPARENT) && (c->exStyle & WS_EX_TRANSPARENT))
            continue;
        if (Contains(c->rect, pt))
            return c->handle;
    }
    return parent->handle;
}

HWND WINAPI ChildWindowFromPoint(HWND hWndParent, POINT Point) {
    return ChildWindowFromPointEx(hWndParent, Point, CWP_ALL);
}

BOOL WINAPI SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom) {
    if (!lprc)
        return FALSE;
    *lprc = RECT{xLeft, yTop, xRight, yBottom};
    return TRUE;
}

BOOL WINAPI SetRectEmpty(LPRECT lprc) {
    return SetRect(lprc, 0, 0, 0, 0);
}

BOOL WINAPI CopyRect(LPRECT lprcDst, const RECT* lprcSrc) {
    if (!lprcDst || !lprcSrc)
        return FALSE;
    *lprcDst = *lprcSrc;
    return TRUE;
}

BOOL WINAPI InflateRect(LPRECT lprc, int dx, int dy) {
    if (!lprc)
        return FALSE;
    lprc->left -= dx;
    lprc->top -= dy;
    lprc->right += dx;
    lprc->bottom += dy;
    return TRUE;
}

BOOL WINAPI OffsetRect(LPRECT lprc, int dx, int dy) {
    if (!lprc)
        return FALSE;
    lprc->left += dx;
    lprc->top += dy;
    lprc->right += dx;
    lprc->bottom += dy;
    return TRUE;
}

BOOL WINAPI IsRectEmpty(const RECT* lprc) {
    return !lprc || lprc->right <= lprc->left || lprc->bottom <= lprc->top;
}

BOOL WINAPI PtInRect(const RECT* lprc, POINT pt) {
    return lprc && Contains(*lprc, pt);
}

BOOL WINAPI EqualRect(const RECT* a, const RECT* b) {
    return a && b && a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

BOOL WINAPI IntersectRect(LPRECT lprcDst, const RECT* a, const RECT* b) {
    if (!lprcDst || !a || !b)
        return FALSE;
    RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
           std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) {
        SetRectEmpty(lprcDst);
        return FALSE;
    }
    *lprcDst = r;
    return TRUE;
}

BOOL WINAPI UnionRect(LPRECT lprcDst, const RECT* a, const RECT* b) {
    if (!lprcDst || !a || !b)
        return FALSE;
    if (IsRectEmpty(a) && IsRectEmpty(b)) {
        SetRectEmpty(lprcDst);
        return FALSE;
    }
    if (IsRectEmpty(a)) {
        *lprcDst = *b;
        return TRUE;
    }
    if (IsRectEmpty(b)) {
        *lprcDst = *a;
        return TRUE;
    }
    *lprcDst = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                    std::max(a->bottom, b->bottom)};
    return TRUE;
}
