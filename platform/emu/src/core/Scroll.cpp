// The standard scroll bars of a window: their information, and showing or hiding them as their range and
// page demand, which changes the client area through WM_NCCALCSIZE and WM_SIZE.
#include "core/Core.h"

#include <algorithm>

namespace emu::core {
namespace {

ScrollBar* Bar(Window* w, int bar) {
    if (bar == SB_HORZ)
        return &w->hscroll;
    if (bar == SB_VERT)
        return &w->vscroll;
    return nullptr;
}

DWORD StyleBit(int bar) {
    return bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
}

// Whether the range holds more than one page.
bool Needed(const ScrollBar& b) {
    return b.min < b.max && static_cast<long long>(b.page) <= static_cast<long long>(b.max) - b.min;
}

void Clamp(ScrollBar& b) {
    long long range = static_cast<long long>(b.max) - b.min + 1;
    if (b.page > range)
        b.page = static_cast<UINT>(std::max(range, 0LL));
    long long top =
        static_cast<long long>(b.max) - std::max<long long>(static_cast<long long>(b.page) - 1, 0);
    top = std::max<long long>(top, b.min);
    b.pos = static_cast<int>(std::clamp<long long>(b.pos, b.min, top));
}

// Shows or hides the bars named in mask (WS_HSCROLL, WS_VSCROLL); the frame is recomputed as the platform
// does.
void ShowBars(Window* w, DWORD mask, bool show) {
    DWORD style = show ? (w->style | mask) : (w->style & ~mask);
    if (style == w->style)
        return;
    w->style = style;
    SetPosition(w, nullptr, 0, 0, 0, 0,
                SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Refresh(Window* w, int bar, bool keepDisabled) {
    ScrollBar& b = *Bar(w, bar);
    ShowBars(w, StyleBit(bar), Needed(b) || keepDisabled);
}

Window* CheckBar(HWND hwnd, int bar, ScrollBar*& out) {
    Window* w = Check(hwnd);
    if (!w)
        return nullptr;
    out = Bar(w, bar);
    if (!out) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return w;
}

} // namespace

void InitScrollBars(Window* w) {
    for (int bar : {SB_HORZ, SB_VERT}) {
        if (w->style & StyleBit(bar))
            *Bar(w, bar) = ScrollBar{true, 0, 100, 0, 0};
    }
}

} // namespace emu::core

using namespace emu::core;

int WINAPI SetScrollInfo(HWND hwnd, int nBar, LPCSCROLLINFO lpsi, BOOL) {
    ScrollBar* b;
    Window* w = CheckBar(hwnd, nBar, b);
    if (!w)
        return 0;
    if (!lpsi || (lpsi->cbSize != sizeof(SCROLLINFO) && lpsi->cbSize != sizeof(SCROLLINFO) - sizeof(int))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (lpsi->fMask & SIF_RANGE) {
        b->min = lpsi->nMin;
        b->max = lpsi->nMax;
    }
    if (lpsi->fMask & SIF_PAGE)
        b->page = lpsi->nPage;
    if (lpsi->fMask & SIF_POS)
        b->pos = lpsi->nPos;
    b->present = true;
    Clamp(*b);
    int pos = b->pos;
    if (lpsi->fMask & (SIF_RANGE | SIF_PAGE))
        Refresh(w, nBar, (lpsi->fMask & SIF_DISABLENOSCROLL) != 0);
    return pos;
}

BOOL WINAPI GetScrollInfo(HWND hwnd, int nBar, LPSCROLLINFO lpsi) {
    ScrollBar* b;
    Window* w = CheckBar(hwnd, nBar, b);
    if (!w || !lpsi)
        return FALSE;
    if (!b->present) {
        SetLastError(kErrorNoScrollbars);
        return FALSE;
    }
    if (lpsi->fMask & SIF_RANGE) {
        lpsi->nMin = b->min;
        lpsi->nMax = b->max;
    }
    if (lpsi->fMask & SIF_PAGE)
        lpsi->nPage = b->page;
    if (lpsi->fMask & SIF_POS)
        lpsi->nPos = b->pos;
    if (lpsi->fMask & SIF_TRACKPOS)
        lpsi->nTrackPos = b->pos;
    return (lpsi->fMask & SIF_ALL) ? TRUE : FALSE;
}

int WINAPI SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL) {
    ScrollBar* b;
    Window* w = CheckBar(hWnd, nBar, b);
    if (!w)
        return 0;
    if (!b->present) {
        SetLastError(kErrorNoScrollbars);
        return 0;
    }
    int previous = b->pos;
    b->pos = nPos;
    Clamp(*b);
    return previous;
}

int WINAPI GetScrollPos(HWND hWnd, int nBar) {
    ScrollBar* b;
    Window* w = CheckBar(hWnd, nBar, b);
    if (!w)
        return 0;
    if (!b->present) {
        SetLastError(kErrorNoScrollbars);
        return 0;
    }
    return b->pos;
}

BOOL WINAPI SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL) {
    ScrollBar* b;
    Window* w = CheckBar(hWnd, nBar, b);
    if (!w)
        return FALSE;
    if (static_cast<long long>(nMaxPos) - nMinPos > 0x7FFFFFFF) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    b->min = nMinPos;
    b->max = nMaxPos;
    b->present = true;
    Clamp(*b);
    Refresh(w, nBar, false);
    return TRUE;
}

BOOL WINAPI GetScrollRange(HWND hWnd, int nBar, LPINT lpMinPos, LPINT lpMaxPos) {
    ScrollBar* b;
    Window* w = CheckBar(hWnd, nBar, b);
    if (!w || !lpMinPos || !lpMaxPos)
        return FALSE;
    *lpMinPos = b->present ? b->min : 0;
    *lpMaxPos = b->present ? b->max : 0;
    return TRUE;
}

BOOL WINAPI ShowScrollBar(HWND hWnd, int wBar, BOOL bShow) {
    Window* w = Check(hWnd);
    if (!w)
        return FALSE;
    DWORD mask = 0;
    switch (wBar) {
    case SB_HORZ:
    case SB_VERT:
        mask = StyleBit(wBar);
        break;
    case SB_BOTH:
        mask = WS_HSCROLL | WS_VSCROLL;
        break;
    case SB_CTL:
        ShowWindow(hWnd, bShow ? SW_SHOW : SW_HIDE);
        return TRUE;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    for (int bar : {SB_HORZ, SB_VERT}) {
        ScrollBar& b = *Bar(w, bar);
        if ((mask & StyleBit(bar)) && bShow && !b.present)
            b = ScrollBar{true, 0, 100, 0, 0};
    }
    ShowBars(w, mask, bShow != FALSE);
    return TRUE;
}
