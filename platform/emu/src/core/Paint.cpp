// Update regions (kept as bounding rectangles), WM_PAINT and WM_ERASEBKGND, and scrolling a window's
// contents.
#include "core/Core.h"
#include "render/Render.h"

#include "ResetHooks.h"

#include <algorithm>
#include <cstring>

namespace emu::core {
namespace {

// Windows that have something to paint, so that the queue need not look when there is nothing.
int& DirtyCount() {
    static int count = 0;
    return count;
}

const detail::ResetHook reset(detail::ResetStage::Last, [] { DirtyCount() = 0; });

bool IsDirty(const Window* w) {
    return !IsRectEmpty(&w->update) || w->internalPaint;
}

RECT ClientBounds(const Window* w) {
    return RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
}

bool IsRoot(const Window* w) {
    return w == Desktop() || w == MessageRoot();
}

void SetUpdate(Window* w, const RECT& update, bool internal) {
    bool was = IsDirty(w);
    w->update = update;
    w->internalPaint = internal;
    bool now = IsDirty(w);
    if (was != now)
        DirtyCount() += now ? 1 : -1;
    if (!now)
        w->erase = false;
}

// The update rectangle less a validated rectangle, where the rest is still a rectangle.
RECT Subtract(RECT update, const RECT& valid) {
    if (IsRectEmpty(&update) || IsRectEmpty(&valid))
        return update;
    bool spansX = valid.left <= update.left && valid.right >= update.right;
    bool spansY = valid.top <= update.top && valid.bottom >= update.bottom;
    if (spansX && spansY)
        return RECT{};
    if (spansX && valid.top <= update.top && valid.bottom > update.top)
        update.top = valid.bottom;
    else if (spansX && valid.bottom >= update.bottom && valid.top < update.bottom)
        update.bottom = valid.top;
    else if (spansY && valid.left <= update.left && valid.right > update.left)
        update.left = valid.right;
    else if (spansY && valid.right >= update.right && valid.left < update.right)
        update.right = valid.left;
    return update;
}

bool IncludesChildren(const Window* w, UINT flags) {
    if (flags & RDW_ALLCHILDREN)
        return true;
    return !(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN);
}

// The part of rect (client coordinates of w) that lies over the child, in the child's client coordinates.
bool ChildPart(const Window* w, const Window* child, const RECT* rect, RECT& part) {
    RECT area = rect ? *rect : ClientBounds(w);
    if (IsRoot(w) && !rect)
        area = child->rect;
    if (!IntersectRect(&part, &area, &child->rect))
        return false;
    OffsetRect(&part, -child->client.left, -child->client.top);
    return true;
}

HDC DcOf(const Window* w) {
    return reinterpret_cast<HDC>(reinterpret_cast<uintptr_t>(w->handle) | 0x80000000u);
}

void EraseNow(Window* w) {
    if (!w->erase || !IsDirty(w))
        return;
    w->erase = false;
    Send(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(DcOf(w)), 0);
}

// Marks (or clears) update regions in the window and the children the flags include.
void RedrawTree(Window* w, const RECT* rect, UINT flags) {
    if (!IsRoot(w)) {
        if (flags & RDW_INVALIDATE) {
            RECT r;
            RECT bounds = ClientBounds(w);
            if (IntersectRect(&r, rect ? rect : &bounds, &bounds)) {
                RECT merged;
                UnionRect(&merged, &w->update, &r);
                SetUpdate(w, merged, w->internalPaint);
                w->paintTaken = false;
                if (flags & RDW_ERASE)
                    w->erase = true;
            }
        }
        if (flags & RDW_INTERNALPAINT) {
            SetUpdate(w, w->update, true);
            w->paintTaken = false;
        }
        if (flags & RDW_VALIDATE)
            SetUpdate(w, rect ? Subtract(w->update, *rect) : RECT{}, w->internalPaint);
        if (flags & RDW_NOERASE)
            w->erase = false;
        if (flags & RDW_NOINTERNALPAINT)
            SetUpdate(w, w->update, false);
    }
    if (IsRoot(w) || IncludesChildren(w, flags)) {
        std::vector<HWND> children;
        for (Window* c = w->firstChild; c; c = c->next)
            children.push_back(c->handle);
        for (HWND h : children) {
            Window* c = Find(h);
            RECT part;
            if (c && (c->style & WS_VISIBLE) && ChildPart(w, c, rect, part))
                RedrawTree(c, &part, flags);
        }
    }
}

// Erases and paints now what needs it, parents before their children.
void PaintTreeNow(Window* w, UINT flags) {
    HWND hwnd = w->handle;
    if (!IsRoot(w) && IsVisible(w)) {
        EraseNow(w);
        if ((w = Find(hwnd)) && (flags & RDW_UPDATENOW) && IsDirty(w))
            SendPaintNow(w);
        if (!(w = Find(hwnd)))
            return;
    }
    if (!IsRoot(w) && !IncludesChildren(w, flags))
        return;
    std::vector<HWND> children;
    for (Window* c = w->firstChild; c; c = c->next)
        children.push_back(c->handle);
    for (HWND h : children) {
        if (Window* c = Find(h))
            PaintTreeNow(c, flags);
    }
}

void Redraw(Window* w, const RECT* rect, UINT flags) {
    RedrawTree(w, rect, flags);
    if (flags & (RDW_ERASENOW | RDW_UPDATENOW))
        PaintTreeNow(w, flags);
}

} // namespace

void Invalidate(Window* w, const RECT* rect, bool erase, bool children) {
    UINT flags = RDW_INVALIDATE | (erase ? RDW_ERASE : 0) | (children ? 0 : RDW_NOCHILDREN);
    RedrawTree(w, rect, flags);
}

void Validate(Window* w, const RECT* rect) {
    RedrawTree(w, rect, RDW_VALIDATE | RDW_NOCHILDREN);
    if (!rect)
        SetUpdate(w, RECT{}, false);
}

Window* NextWindowToPaint(Window* filter) {
    if (DirtyCount() == 0)
        return nullptr;
    // Parents paint before their children; top-level windows in Z order.
    std::vector<Window*> stack;
    for (Window* c = Desktop()->lastChild; c; c = c->prev)
        stack.push_back(c);
    while (!stack.empty()) {
        Window* w = stack.back();
        stack.pop_back();
        if (!(w->style & WS_VISIBLE))
            continue;
        if (IsDirty(w) && !w->paintTaken && (!filter || IsDescendant(filter, w)))
            return w;
        for (Window* c = w->lastChild; c; c = c->prev)
            stack.push_back(c);
    }
    return nullptr;
}

void SendPaintNow(Window* w) {
    HWND hwnd = w->handle;
    Send(w, WM_PAINT, 0, 0);
    if ((w = Find(hwnd)))
        w->paintTaken = false;
}

void ForgetPaint(Window* w) {
    SetUpdate(w, RECT{}, false);
}

bool NeedsPaint(const Window* w) {
    return IsDirty(w);
}

} // namespace emu::core

using namespace emu::core;

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
    Window* w = hWnd ? Check(hWnd) : Desktop();
    if (!w)
        return FALSE;
    RedrawTree(w, lpRect, RDW_INVALIDATE | (bErase ? RDW_ERASE : 0) | (hWnd ? 0 : RDW_ALLCHILDREN));
    return TRUE;
}

BOOL WINAPI ValidateRect(HWND hWnd, const RECT* lpRect) {
    if (!hWnd)
        return InvalidateRect(nullptr, lpRect, TRUE);
    Window* w = Check(hWnd);
    if (!w)
        return FALSE;
    Validate(w, lpRect);
    return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase) {
    Window* w = Check(hWnd);
    if (!w)
        return FALSE;
    bool empty = IsRectEmpty(&w->update);
    if (lpRect)
        *lpRect = empty ? RECT{} : w->update;
    if (bErase && !empty)
        EraseNow(w);
    return empty ? FALSE : TRUE;
}

BOOL WINAPI UpdateWindow(HWND hWnd) {
    Window* w = Check(hWnd);
    if (!w)
        return FALSE;
    if (NeedsPaint(w) && IsVisible(w))
        SendPaintNow(w);
    return TRUE;
}

BOOL WINAPI RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags) {
    // The emulation has no region objects, so no HRGN can be valid.
    if (hrgnUpdate) {
        SetLastError(kErrorInvalidHandle);
        return FALSE;
    }
    Window* w = hWnd ? Check(hWnd) : Desktop();
    if (!w)
        return FALSE;
    Redraw(w, lprcUpdate, flags);
    return TRUE;
}

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
    Window* w = Check(hWnd);
    if (!w || !lpPaint)
        return nullptr;
    std::memset(lpPaint, 0, sizeof(*lpPaint));
    HDC dc = DcOf(w);
    lpPaint->hdc = dc;
    lpPaint->rcPaint = IsRectEmpty(&w->update) ? RECT{} : w->update;
    bool erase = w->erase;
    ForgetPaint(w);
    w->paintTaken = false;
    if (erase)
        lpPaint->fErase = Send(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
    return dc;
}

BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint) {
    if (!Check(hWnd) || !lpPaint)
        return FALSE;
    emu::render::ResetClientDc(hWnd);
    return TRUE;
}

BOOL WINAPI ScrollWindow(HWND hWnd, int XAmount, int YAmount, const RECT* lpRect, const RECT* lpClipRect) {
    Window* w = Check(hWnd);
    if (!w)
        return FALSE;
    RECT bounds = ClientBounds(w);
    RECT area, clip;
    if (!IntersectRect(&area, lpRect ? lpRect : &bounds, &bounds))
        return TRUE;
    if (!IntersectRect(&clip, lpClipRect ? lpClipRect : &bounds, &bounds))
        return TRUE;
    // The pending update moves with the contents.
    if (!IsRectEmpty(&w->update)) {
        RECT moved = w->update;
        OffsetRect(&moved, XAmount, YAmount);
        RECT kept;
        IntersectRect(&kept, &moved, &bounds);
        bool erase = w->erase;
        SetUpdate(w, kept, w->internalPaint);
        w->erase = erase && !IsRectEmpty(&kept);
    }
    RECT strips[2] = {};
    if (XAmount > 0)
        strips[0] = RECT{area.left, area.top, std::min(area.left + XAmount, area.right), area.bottom};
    else if (XAmount < 0)
        strips[0] = RECT{std::max(area.right + XAmount, area.left), area.top, area.right, area.bottom};
    if (YAmount > 0)
        strips[1] = RECT{area.left, area.top, area.right, std::min(area.top + YAmount, area.bottom)};
    else if (YAmount < 0)
        strips[1] = RECT{area.left, std::max(area.bottom + YAmount, area.top), area.right, area.bottom};
    for (const RECT& strip : strips) {
        RECT r;
        if (IntersectRect(&r, &strip, &clip))
            Invalidate(w, &r, true, false);
    }
    if (!lpRect) {
        std::vector<HWND> children;
        for (Window* c = w->firstChild; c; c = c->next)
            children.push_back(c->handle);
        for (HWND h : children) {
            if (Window* c = Find(h))
                SetPosition(c, nullptr, c->rect.left + XAmount, c->rect.top + YAmount, 0, 0,
                            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        }
    }
    return TRUE;
}
