// The static control: texts (left, centred, right, simple, without word wrap; '&' underlines the next
// character unless SS_NOPREFIX), icons and bitmaps (named by the title at creation, or set with STM_SETICON
// and STM_SETIMAGE), rectangles, frames and etched lines. It lets the mouse through to its parent
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

// The size of an icon (its mask is twice its height when it has no colour bitmap) or of a bitmap.
SIZE ImageSize(UINT kind, HANDLE image) {
    BITMAP bm{};
    if (kind == SS_BITMAP) {
        GetObjectA(image, sizeof bm, &bm);
        return {bm.bmWidth, bm.bmHeight};
    }
    ICONINFO info{};
    if (!GetIconInfo(static_cast<HICON>(image), &info))
        return {0, 0};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    SIZE size{bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return size;
}

// The image at the top left, or centred with SS_CENTERIMAGE, on the background the parent chooses.
void PaintImage(HWND hwnd, HDC dc, UINT kind, HANDLE image, const RECT& r) {
    HWND parent = GetParent(hwnd);
    auto brush = reinterpret_cast<HBRUSH>(parent ? SendMessageA(parent, WM_CTLCOLORSTATIC,
                                                                reinterpret_cast<WPARAM>(dc),
                                                                reinterpret_cast<LPARAM>(hwnd))
                                                 : 0);
    FillRect(dc, &r, brush ? brush : GetSysColorBrush(COLOR_3DFACE));
    if (!image)
        return;
    SIZE size = ImageSize(kind, image);
    int x = 0, y = 0;
    if (GetWindowLongA(hwnd, GWL_STYLE) & SS_CENTERIMAGE) {
        x = (r.right - size.cx) / 2;
        y = (r.bottom - size.cy) / 2;
    }
    if (kind == SS_ICON) {
        DrawIconEx(dc, x, y, static_cast<HICON>(image), 0, 0, 0, nullptr, DI_NORMAL);
        return;
    }
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, image);
    BitBlt(dc, x, y, size.cx, size.cy, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

void Paint(HWND hwnd, HDC dc, HFONT font, HANDLE image) {
    RECT r{};
    GetClientRect(hwnd, &r);
    UINT kind = Kind(hwnd);
    if (IsText(kind)) {
        PaintText(hwnd, dc, font, kind, r);
        return;
    }
    if (kind == SS_ICON || kind == SS_BITMAP) {
        PaintImage(hwnd, dc, kind, image, r);
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
    HANDLE image = nullptr;
};

// Takes an image of the control's kind and sizes the control to it (unless the image is centred in the
// control or the control keeps its size); answers the image it had.
HANDLE SetImage(HWND hwnd, StaticState& state, HANDLE image) {
    HANDLE old = state.image;
    state.image = image;
    UINT kind = Kind(hwnd);
    if (image && !(GetWindowLongA(hwnd, GWL_STYLE) & (SS_CENTERIMAGE | SS_REALSIZECONTROL))) {
        SIZE size = ImageSize(kind, image);
        SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    return old;
}

// An icon or bitmap control's title names its resource in the module that creates it: an ordinal (0xFF
// and its two bytes, as the dialog manager passes it) or a name.
HANDLE LoadNamedImage(UINT kind, const CREATESTRUCTA& cs) {
    if (!cs.lpszName || !*cs.lpszName)
        return nullptr;
    LPCSTR name = cs.lpszName;
    if (static_cast<unsigned char>(name[0]) == 0xFF)
        name =
            MAKEINTRESOURCEA(static_cast<unsigned char>(name[1]) | static_cast<unsigned char>(name[2]) << 8);
    if (kind == SS_ICON)
        return LoadIconA(cs.hInstance, name);
    return LoadBitmapA(cs.hInstance, name);
}

// Whether an image type of STM_SETIMAGE/STM_GETIMAGE is the control's kind.
bool TakesImage(UINT kind, WPARAM type) {
    return (kind == SS_ICON && (type == IMAGE_ICON || type == IMAGE_CURSOR)) ||
           (kind == SS_BITMAP && type == IMAGE_BITMAP);
}

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
    case WM_CREATE: {
        UINT kind = Kind(hwnd);
        if (state && (kind == SS_ICON || kind == SS_BITMAP))
            if (HANDLE image = LoadNamedImage(kind, *reinterpret_cast<CREATESTRUCTA*>(lp)))
                SetImage(hwnd, *state, image);
        return 0;
    }
    case STM_SETICON:
        return state && Kind(hwnd) == SS_ICON
                   ? reinterpret_cast<LRESULT>(SetImage(hwnd, *state, reinterpret_cast<HANDLE>(wp)))
                   : 0;
    case STM_GETICON:
        return state && Kind(hwnd) == SS_ICON ? reinterpret_cast<LRESULT>(state->image) : 0;
    case STM_SETIMAGE:
        return state && TakesImage(Kind(hwnd), wp)
                   ? reinterpret_cast<LRESULT>(SetImage(hwnd, *state, reinterpret_cast<HANDLE>(lp)))
                   : 0;
    case STM_GETIMAGE:
        return state && TakesImage(Kind(hwnd), wp) ? reinterpret_cast<LRESULT>(state->image) : 0;
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
        Paint(hwnd, dc, state ? state->font : nullptr, state ? state->image : nullptr);
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
