// The non-client area in the classic style: sizing and dialog frames, borders, the caption bar with its
// text and buttons, client and static edges, and scroll bars.
#include "Painter.h"
#include "Render.h"
#include "core/Core.h"

#include <algorithm>

namespace emu::render {
namespace {

uint32_t Sys(const Painter& p, int index) {
    return p.Pixel(GetSysColor(index));
}

// A one-pixel outline of a rectangle in buffer coordinates.
void Ring(const Painter& p, const RECT& b, uint32_t pixel) {
    p.Fill(RECT{b.left, b.top, b.right, b.top + 1}, pixel);
    p.Fill(RECT{b.left, b.bottom - 1, b.right, b.bottom}, pixel);
    p.Fill(RECT{b.left, b.top, b.left + 1, b.bottom}, pixel);
    p.Fill(RECT{b.right - 1, b.top, b.right, b.bottom}, pixel);
}

// A raised face with a glyph drawn by `glyph` around the face's centre.
template <class Glyph> void Button(HDC dc, const Painter& p, RECT r, Glyph glyph) {
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    POINT centre = p.ToBuffer((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    glyph(centre);
}

// A filled triangle pointing in `direction` (0 up, 1 down, 2 left, 3 right), four pixels deep.
void Arrow(const Painter& p, POINT centre, int direction, uint32_t pixel) {
    for (int k = 0; k < 4; ++k) {
        int depth = direction % 2 == 0 ? k - 2 : 1 - k;
        for (int across = -k; across <= k; ++across) {
            if (direction < 2)
                p.Put(centre.x + across, centre.y + depth, pixel);
            else
                p.Put(centre.x + depth, centre.y + across, pixel);
        }
    }
}

void Caption(HDC dc, const Painter& p, core::Window* w, RECT r) {
    bool active = GetActiveWindow() == w->handle;
    COLORREF from = GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    COLORREF to = GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
    RECT bar{r.left, r.top, r.right, r.bottom - 1};
    RECT b = p.ToBuffer(bar);
    int span = std::max(1, static_cast<int>(b.right - b.left - 1));
    for (int x = b.left; x < b.right; ++x) {
        int t = x - b.left;
        auto mix = [&](int shift) {
            int a = static_cast<int>(from >> shift & 0xFF), z = static_cast<int>(to >> shift & 0xFF);
            return static_cast<BYTE>(a + (z - a) * t / span);
        };
        p.Fill(RECT{x, b.top, x + 1, b.bottom}, p.Pixel(RGB(mix(0), mix(8), mix(16))));
    }
    p.Fill(p.ToBuffer(RECT{r.left, r.bottom - 1, r.right, r.bottom}), Sys(p, COLOR_BTNFACE));

    int buttonW = GetSystemMetrics(SM_CYCAPTION) - 3, buttonH = buttonW - 2;
    RECT button{bar.right - 2 - buttonW, bar.top + 2, bar.right - 2, bar.top + 2 + buttonH};
    int textRight = bar.right;
    if (w->style & WS_SYSMENU) {
        uint32_t ink = Sys(p, COLOR_BTNTEXT);
        Button(dc, p, button, [&](POINT c) {
            for (int k = 0; k < 7; ++k) {
                for (int thick = 0; thick < 2; ++thick) {
                    p.Put(c.x - 4 + k + thick, c.y - 4 + k, ink);
                    p.Put(c.x + 2 - k + thick, c.y - 4 + k, ink);
                }
            }
        });
        textRight = button.left;
        if (w->style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) {
            RECT maximize = button;
            OffsetRect(&maximize, -buttonW - 2, 0);
            RECT minimize = maximize;
            OffsetRect(&minimize, -buttonW, 0);
            uint32_t maxInk = Sys(p, w->style & WS_MAXIMIZEBOX ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
            uint32_t minInk = Sys(p, w->style & WS_MINIMIZEBOX ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
            Button(dc, p, maximize, [&](POINT c) {
                RECT box{c.x - 5, c.y - 5, c.x + 4, c.y + 3};
                Ring(p, box, maxInk);
                p.Fill(RECT{box.left, box.top + 1, box.right, box.top + 2}, maxInk);
            });
            Button(dc, p, minimize, [&](POINT c) {
                p.Fill(RECT{c.x - 4, c.y + 1, c.x + 2, c.y + 3}, minInk);
            });
            textRight = minimize.left;
        }
    }

    LOGFONTA log{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof log, &log);
    log.lfWeight = FW_BOLD;
    HFONT bold = CreateFontIndirectA(&log);
    HGDIOBJ oldFont = SelectObject(dc, bold);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    RECT text{bar.left + 4, bar.top, textRight - 2, bar.bottom};
    DrawTextA(dc, w->text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, oldFont);
    DeleteObject(bold);
}

// A scroll bar in r, with its arrows, its dithered track and, when there is something to scroll, the thumb.
void ScrollBar(HDC dc, const Painter& p, RECT r, bool vertical, const core::ScrollBar& bar) {
    int length = vertical ? r.bottom - r.top : r.right - r.left;
    int arrow = std::min(GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL), length / 2);
    RECT first = r, second = r, track = r;
    if (vertical) {
        first.bottom = r.top + arrow, second.top = r.bottom - arrow;
        track.top = first.bottom, track.bottom = second.top;
    } else {
        first.right = r.left + arrow, second.left = r.right - arrow;
        track.left = first.right, track.right = second.left;
    }
    int64_t range = int64_t(bar.max) - bar.min + 1;
    bool enabled = range > 1 && (bar.page == 0 || int64_t(bar.page) < range);
    uint32_t ink = Sys(p, enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    Button(dc, p, first, [&](POINT c) { Arrow(p, c, vertical ? 0 : 2, ink); });
    Button(dc, p, second, [&](POINT c) { Arrow(p, c, vertical ? 1 : 3, ink); });

    RECT t = p.Clipped(p.ToBuffer(track));
    uint32_t light = Sys(p, COLOR_BTNHIGHLIGHT), face = Sys(p, COLOR_SCROLLBAR);
    for (int y = t.top; y < t.bottom; ++y)
        for (int x = t.left; x < t.right; ++x)
            p.At(x, y) = (x + y) % 2 ? light : face;

    int trackLength = vertical ? track.bottom - track.top : track.right - track.left;
    int minThumb = GetSystemMetrics(vertical ? SM_CYVTHUMB : SM_CXHTHUMB) / 2;
    if (!enabled || trackLength < minThumb)
        return;
    int thumb = bar.page
                    ? static_cast<int>(std::max<int64_t>(minThumb, trackLength * int64_t(bar.page) / range))
                    : GetSystemMetrics(vertical ? SM_CYVTHUMB : SM_CXHTHUMB);
    thumb = std::min(thumb, trackLength);
    int64_t positions = bar.page ? range - bar.page : range - 1;
    int64_t at = std::clamp<int64_t>(int64_t(bar.pos) - bar.min, 0, std::max<int64_t>(positions, 0));
    int offset = positions > 0 ? static_cast<int>(at * (trackLength - thumb) / positions) : 0;
    RECT box = track;
    if (vertical)
        box.top = track.top + offset, box.bottom = box.top + thumb;
    else
        box.left = track.left + offset, box.right = box.left + thumb;
    DrawEdge(dc, &box, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

} // namespace

void PaintNonClient(HWND hwnd) {
    core::Window* w = core::Find(hwnd);
    if (!w)
        return;
    HDC dc = GetWindowDC(hwnd);
    Painter p(dc);
    if (p.Drawing()) {
        DWORD style = w->style, ex = w->exStyle;
        RECT r{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
        bool active = GetActiveWindow() == hwnd;
        if (style & WS_THICKFRAME) {
            DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
            for (int k = 2; k < GetSystemMetrics(SM_CXFRAME); ++k, InflateRect(&r, -1, -1))
                Ring(p, p.ToBuffer(r), Sys(p, active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER));
        } else if ((style & WS_DLGFRAME) || (ex & WS_EX_DLGMODALFRAME)) {
            DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
            for (int k = 2; k < GetSystemMetrics(SM_CXDLGFRAME); ++k, InflateRect(&r, -1, -1))
                Ring(p, p.ToBuffer(r), Sys(p, COLOR_BTNFACE));
        } else if (style & WS_BORDER) {
            Ring(p, p.ToBuffer(r), Sys(p, COLOR_WINDOWFRAME));
            InflateRect(&r, -1, -1);
        }
        if ((style & WS_CAPTION) == WS_CAPTION) {
            RECT caption{r.left, r.top, r.right, r.top + GetSystemMetrics(SM_CYCAPTION)};
            Caption(dc, p, w, caption);
            r.top = caption.bottom;
        }
        if (ex & WS_EX_CLIENTEDGE)
            DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        if (ex & WS_EX_STATICEDGE)
            DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);

        RECT client = w->client;
        OffsetRect(&client, -w->rect.left, -w->rect.top);
        int cxv = GetSystemMetrics(SM_CXVSCROLL), cyh = GetSystemMetrics(SM_CYHSCROLL);
        if (style & WS_VSCROLL)
            ScrollBar(dc, p, RECT{client.right, client.top, client.right + cxv, client.bottom}, true,
                      w->vscroll);
        if (style & WS_HSCROLL)
            ScrollBar(dc, p, RECT{client.left, client.bottom, client.right, client.bottom + cyh}, false,
                      w->hscroll);
        if ((style & WS_VSCROLL) && (style & WS_HSCROLL))
            p.Fill(p.ToBuffer(RECT{client.right, client.bottom, client.right + cxv, client.bottom + cyh}),
                   Sys(p, COLOR_BTNFACE));
    }
    ReleaseDC(hwnd, dc);
}

} // namespace emu::render
