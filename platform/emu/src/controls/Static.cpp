// The static control: texts (left, centred, right, simple, without word wrap; '&' underlines the next
// character unless SS_NOPREFIX), rectangles, frames and etched lines. It lets the mouse through to its parent
// (HTTRANSPARENT) unless it notifies (SS_NOTIFY: STN_CLICKED, STN_DBLCLK, STN_ENABLE, STN_DISABLE).
#include "core/Core.h"

#include <algorithm>
#include <string>

namespace emu::controls {
namespace {

UINT Kind(HWND hwnd) {
    return static_cast<UINT>(GetWindowLongA(hwnd, GWL_STYLE)) & SS_TYPEMASK;
}

bool IsText(UINT kind) {
    return kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT || kind == SS_SIMPLE ||
           kind == SS_LEFTNOWORDWRAP;
}

void Notify(HWND hwnd, WORD code) {
    SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code),
                 reinterpret_cast<LPARAM>(hwnd));
}

void Solid(HDC dc, const RECT& r, int colorIndex, bool frame) {
    HBRUSH brush = CreateSolidBrush(GetSysColor(colorIndex));
    if (frame)
        FrameRect(dc, &r, brush);
    else
        FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void PaintText(HWND hwnd, HDC dc, HFONT font, UINT kind, RECT r) {
    LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    HWND parent = GetParent(hwnd);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_3DFACE));
    auto brush = reinterpret_cast<HBRUSH>(parent ? SendMessageA(parent, WM_CTLCOLORSTATIC,
                                                                reinterpret_cast<WPARAM>(dc),
                                                                reinterpret_cast<LPARAM>(hwnd))
                                                 : 0);
    FillRect(dc, &r, brush ? brush : GetSysColorBrush(COLOR_3DFACE));
    HGDIOBJ oldFont =
        SelectObject(dc, font && GetObjectType(font) == OBJ_FONT ? font : GetStockObject(SYSTEM_FONT));
    UINT format = kind == SS_CENTER ? DT_CENTER : kind == SS_RIGHT ? DT_RIGHT : DT_LEFT;
    format |= (kind == SS_SIMPLE || kind == SS_LEFTNOWORDWRAP) ? DT_SINGLELINE : DT_WORDBREAK;
    if (style & SS_CENTERIMAGE)
        format |= DT_SINGLELINE | DT_VCENTER;
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    if (style & SS_ENDELLIPSIS)
        format |= DT_END_ELLIPSIS | DT_SINGLELINE;
    if (style & WS_DISABLED)
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    char buffer[1024];
    int n = std::max(0, GetWindowTextA(hwnd, buffer, sizeof buffer));
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, buffer, n, &r, format);
    SelectObject(dc, oldFont);
}

void Paint(HWND hwnd, HDC dc, HFONT font) {
    RECT r{};
    GetClientRect(hwnd, &r);
    UINT kind = Kind(hwnd);
    if (IsText(kind)) {
        PaintText(hwnd, dc, font, kind, r);
        return;
    }
    switch (kind) {
    case SS_BLACKRECT:
    case SS_BLACKFRAME:
        Solid(dc, r, COLOR_WINDOWFRAME, kind == SS_BLACKFRAME);
        break;
    case SS_GRAYRECT:
    case SS_GRAYFRAME:
        Solid(dc, r, COLOR_BTNSHADOW, kind == SS_GRAYFRAME);
        break;
    case SS_WHITERECT:
    case SS_WHITEFRAME:
        Solid(dc, r, COLOR_BTNHIGHLIGHT, kind == SS_WHITEFRAME);
        break;
    case SS_ETCHEDHORZ:
        DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP);
        break;
    case SS_ETCHEDVERT:
        DrawEdge(dc, &r, EDGE_ETCHED, BF_LEFT);
        break;
    case SS_ETCHEDFRAME:
        DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
        break;
    default:
        break;
    }
}

struct StaticState {
    HFONT font = nullptr;
};

LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* state = reinterpret_cast<StaticState*>(GetWindowLongPtrA(hwnd, 0));
    switch (msg) {
    case WM_NCCREATE:
        SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(new StaticState));
        return DefWindowProcA(hwnd, msg, wp, lp);
    case WM_NCDESTROY:
        SetWindowLongPtrA(hwnd, 0, 0);
        delete state;
        return DefWindowProcA(hwnd, msg, wp, lp);
    case WM_NCHITTEST:
        return (GetWindowLongA(hwnd, GWL_STYLE) & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_SETFONT:
        if (state)
            state->font = reinterpret_cast<HFONT>(wp);
        if (lp)
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state ? state->font : nullptr);
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(hwnd, msg, wp, lp);
        InvalidateRect(hwnd, nullptr, TRUE);
        return result;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        Paint(hwnd, dc, state ? state->font : nullptr);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, TRUE);
        if (GetWindowLongA(hwnd, GWL_STYLE) & SS_NOTIFY)
            Notify(hwnd, wp ? STN_ENABLE : STN_DISABLE);
        return 0;
    case WM_LBUTTONDOWN:
        if (GetWindowLongA(hwnd, GWL_STYLE) & SS_NOTIFY)
            Notify(hwnd, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (GetWindowLongA(hwnd, GWL_STYLE) & SS_NOTIFY)
            Notify(hwnd, STN_DBLCLK);
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
}

void RegisterStaticClass() {
    WNDCLASSA wc{};
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = StaticProc;
    wc.cbWndExtra = sizeof(StaticState*);
    wc.hInstance = core::SystemModule();
    wc.lpszClassName = WC_STATICA;
    RegisterClassA(&wc);
}

const core::SystemClasses staticClass(RegisterStaticClass);

} // namespace
} // namespace emu::controls
