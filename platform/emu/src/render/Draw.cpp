// Drawing on device contexts: rectangles, lines, pixels, block transfers, focus rectangles and 3-D edges.
#include "Painter.h"
#include "Render.h"
#include "services/Dib.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace emu::render {
namespace {

bool UsesSource(DWORD rop) {
    uint32_t code = rop >> 16 & 0xFF;
    return ((code >> 2) & 0x33) != (code & 0x33);
}

bool UsesPattern(DWORD rop) {
    uint32_t code = rop >> 16 & 0xFF;
    return ((code >> 4) & 0x0F) != (code & 0x0F);
}

void PatternBlt(const Painter& p, const RECT& logical, DWORD rop, const BrushInfo& brush) {
    if (!p.Drawing() || (brush.hollow && UsesPattern(rop)))
        return;
    RECT r = p.Clipped(p.ToBuffer(logical));
    uint32_t pattern = p.Pixel(brush.color);
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            p.At(x, y) = Rop3(rop, pattern, 0, p.At(x, y));
}

RECT Normalized(int left, int top, int right, int bottom) {
    return RECT{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

// On and off lengths of the cosmetic dash styles, in pixels.
const std::vector<int>& DashPattern(int style) {
    static const std::array<std::vector<int>, 5> patterns = {
        std::vector<int>{}, {4, 2}, {1, 1}, {4, 2, 1, 2}, {4, 2, 1, 2, 1, 2}};
    return patterns[static_cast<size_t>(style >= PS_DASH && style <= PS_DASHDOTDOT ? style : PS_SOLID)];
}

// A line with the selected pen from a to b, leaving out b. Wide pens stamp a square around each point;
// dash styles apply to one-pixel pens, the gaps filled with the background colour in OPAQUE mode.
void Line(const Painter& p, POINT a, POINT b) {
    PenInfo pen = p.Pen();
    if (pen.style == PS_NULL || !p.Drawing())
        return;
    const DcState& state = p.Context().state;
    uint32_t ink = p.Pixel(pen.color), gap = p.Pixel(state.bk);
    const std::vector<int>& dashes = pen.width > 1 ? DashPattern(PS_SOLID) : DashPattern(pen.style);
    POINT from = p.ToBuffer(a.x, a.y), to = p.ToBuffer(b.x, b.y);
    int dx = std::abs(to.x - from.x), dy = -std::abs(to.y - from.y);
    int sx = from.x < to.x ? 1 : -1, sy = from.y < to.y ? 1 : -1;
    int error = dx + dy, x = from.x, y = from.y;
    size_t dash = 0;
    int left = dashes.empty() ? 0 : dashes[0];
    int half = (pen.width - 1) / 2;
    while (x != to.x || y != to.y) {
        bool on = dashes.empty() || dash % 2 == 0;
        if (on) {
            for (int oy = -half; oy < pen.width - half; ++oy)
                for (int ox = -half; ox < pen.width - half; ++ox)
                    p.Put(x + ox, y + oy, ink);
        } else if (state.bkMode == OPAQUE) {
            p.Put(x, y, gap);
        }
        if (!dashes.empty() && --left == 0) {
            dash = (dash + 1) % dashes.size();
            left = dashes[dash];
        }
        int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

struct EdgeColors {
    int topLeft;
    int bottomRight;
};

// The system colours of one ring of a 3-D edge.
EdgeColors RingColors(UINT edge, UINT flags, bool outer) {
    if (flags & BF_MONO)
        return outer ? EdgeColors{COLOR_WINDOWFRAME, COLOR_WINDOWFRAME}
                     : EdgeColors{COLOR_WINDOW, COLOR_WINDOW};
    if (flags & BF_FLAT)
        return outer ? EdgeColors{COLOR_BTNSHADOW, COLOR_BTNSHADOW}
                     : EdgeColors{COLOR_BTNFACE, COLOR_BTNFACE};
    bool raised = outer ? (edge & BDR_RAISEDOUTER) : (edge & BDR_RAISEDINNER);
    if (outer)
        return raised ? EdgeColors{COLOR_3DLIGHT, COLOR_3DDKSHADOW}
                      : EdgeColors{COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
    return raised ? EdgeColors{COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW}
                  : EdgeColors{COLOR_3DDKSHADOW, COLOR_3DLIGHT};
}

// One ring of a 3-D edge inside r: the bottom and right sides take the corners they share with the top
// and left ones.
void Ring(const Painter& p, const RECT& r, UINT flags, EdgeColors colors) {
    uint32_t light = p.Pixel(GetSysColor(colors.topLeft)), dark = p.Pixel(GetSysColor(colors.bottomRight));
    RECT b = p.ToBuffer(r);
    if (flags & BF_TOP)
        p.Fill(RECT{b.left, b.top, b.right - 1, b.top + 1}, light);
    if (flags & BF_LEFT)
        p.Fill(RECT{b.left, b.top, b.left + 1, b.bottom - 1}, light);
    if (flags & BF_BOTTOM)
        p.Fill(RECT{b.left, b.bottom - 1, b.right, b.bottom}, dark);
    if (flags & BF_RIGHT)
        p.Fill(RECT{b.right - 1, b.top, b.right, b.bottom}, dark);
}

void Shrink(RECT& r, UINT flags) {
    if (flags & BF_LEFT)
        ++r.left;
    if (flags & BF_TOP)
        ++r.top;
    if (flags & BF_RIGHT)
        --r.right;
    if (flags & BF_BOTTOM)
        --r.bottom;
}

} // namespace
} // namespace emu::render

using namespace emu::render;

int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    Painter p(hDC);
    auto brush = BrushOf(hbr);
    if (!p.Valid() || !lprc || !brush)
        return 0;
    if (p.Drawing() && !brush->hollow)
        p.Fill(p.ToBuffer(*lprc), p.Pixel(brush->color));
    return 1;
}

int WINAPI FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    Painter p(hDC);
    auto brush = BrushOf(hbr);
    if (!p.Valid() || !lprc || !brush)
        return 0;
    if (!p.Drawing() || brush->hollow || IsRectEmpty(lprc))
        return 1;
    RECT b = p.ToBuffer(*lprc);
    uint32_t pixel = p.Pixel(brush->color);
    p.Fill(RECT{b.left, b.top, b.right, b.top + 1}, pixel);
    p.Fill(RECT{b.left, b.bottom - 1, b.right, b.bottom}, pixel);
    p.Fill(RECT{b.left, b.top, b.left + 1, b.bottom}, pixel);
    p.Fill(RECT{b.right - 1, b.top, b.right, b.bottom}, pixel);
    return 1;
}

BOOL WINAPI InvertRect(HDC hDC, const RECT* lprc) {
    Painter p(hDC);
    if (!p.Valid() || !lprc)
        return FALSE;
    if (p.Drawing())
        PatternBlt(p, *lprc, DSTINVERT, BrushInfo{false, 0});
    return TRUE;
}

// The outline with the pen, inside with the brush; the right and bottom edges are left out. Without a pen
// the brush fills the whole rectangle.
BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    Painter p(hdc);
    if (!p.Valid())
        return FALSE;
    if (!p.Drawing())
        return TRUE;
    RECT r = Normalized(left, top, right, bottom);
    PenInfo pen = p.Pen();
    BrushInfo brush = p.Brush();
    int inset = pen.style == PS_NULL ? 0 : pen.width;
    if (!brush.hollow) {
        RECT inner{r.left + inset, r.top + inset, r.right - std::max(inset, 1),
                   r.bottom - std::max(inset, 1)};
        if (pen.style == PS_NULL)
            inner = RECT{r.left, r.top, r.right - 1, r.bottom - 1};
        p.Fill(p.ToBuffer(inner), p.Pixel(brush.color));
    }
    if (pen.style == PS_NULL)
        return TRUE;
    RECT b = p.ToBuffer(RECT{r.left, r.top, r.right, r.bottom});
    uint32_t ink = p.Pixel(pen.color);
    for (int k = 0; k < pen.width; ++k) {
        p.Fill(RECT{b.left + k, b.top + k, b.right - k, b.top + k + 1}, ink);
        p.Fill(RECT{b.left + k, b.bottom - k - 1, b.right - k, b.bottom - k}, ink);
        p.Fill(RECT{b.left + k, b.top + k, b.left + k + 1, b.bottom - k}, ink);
        p.Fill(RECT{b.right - k - 1, b.top + k, b.right - k, b.bottom - k}, ink);
    }
    return TRUE;
}

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
    Painter p(hdc);
    if (!p.Valid())
        return FALSE;
    if (lppt)
        *lppt = p.Context().state.position;
    p.Context().state.position = POINT{x, y};
    return TRUE;
}

BOOL WINAPI LineTo(HDC hdc, int x, int y) {
    Painter p(hdc);
    if (!p.Valid())
        return FALSE;
    Line(p, p.Context().state.position, POINT{x, y});
    p.Context().state.position = POINT{x, y};
    return TRUE;
}

COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
    Painter p(hdc);
    if (!p.Drawing())
        return CLR_INVALID;
    POINT b = p.ToBuffer(x, y);
    if (!p.Inside(b.x, b.y))
        return CLR_INVALID;
    p.At(b.x, b.y) = p.Pixel(color);
    return ToColorRef(p.At(b.x, b.y));
}

// CLR_INVALID outside the clip rectangle, and where the device context draws nowhere.
COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
    Painter p(hdc);
    if (!p.Drawing())
        return CLR_INVALID;
    POINT b = p.ToBuffer(x, y);
    return p.Inside(b.x, b.y) ? ToColorRef(p.At(b.x, b.y)) : CLR_INVALID;
}

BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
    Painter p(hdc);
    if (!p.Valid() || UsesSource(rop))
        return FALSE;
    PatternBlt(p, Normalized(x, y, x + w, y + h), rop, p.Brush());
    return TRUE;
}

// A monochrome source meets a colour destination as the destination's text colour (black bits) and
// background colour (white bits); a colour source meets a monochrome destination as white where it has
// the source's background colour and black elsewhere.
BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    if (!UsesSource(rop))
        return PatBlt(hdc, x, y, cx, cy, rop);
    Painter dst(hdc), src(hdcSrc);
    if (!dst.Valid() || !src.Valid())
        return FALSE;
    if (!dst.Drawing() || !src.Drawing() || cx <= 0 || cy <= 0)
        return TRUE;
    const Target& s = src.Destination();
    bool fromMono = s.mono, toMono = dst.Destination().mono;
    uint32_t text = dst.Pixel(dst.Context().state.text), bk = dst.Pixel(dst.Context().state.bk);
    uint32_t sourceBk = ToPixel(src.Context().state.bk);
    BrushInfo brush = dst.Brush();
    uint32_t pattern = brush.hollow ? 0 : dst.Pixel(brush.color);
    // Read first: source and destination may overlap.
    std::vector<std::pair<bool, uint32_t>> block(static_cast<size_t>(cx) * static_cast<size_t>(cy));
    for (int j = 0; j < cy; ++j)
        for (int i = 0; i < cx; ++i) {
            POINT sp = src.ToBuffer(x1 + i, y1 + j);
            if (sp.x < 0 || sp.y < 0 || sp.x >= s.width || sp.y >= s.height)
                continue;
            uint32_t v = src.At(sp.x, sp.y);
            if (fromMono && !toMono)
                v = v ? bk : text;
            else if (!fromMono && toMono)
                v = v == sourceBk ? 0xFFFFFF : 0;
            block[static_cast<size_t>(j) * static_cast<size_t>(cx) + static_cast<size_t>(i)] = {true, v};
        }
    for (int j = 0; j < cy; ++j)
        for (int i = 0; i < cx; ++i) {
            auto [present, v] =
                block[static_cast<size_t>(j) * static_cast<size_t>(cx) + static_cast<size_t>(i)];
            POINT dp = dst.ToBuffer(x + i, y + j);
            if (present && dst.Inside(dp.x, dp.y))
                dst.At(dp.x, dp.y) = Rop3(rop, pattern, v, dst.At(dp.x, dp.y));
        }
    return TRUE;
}

// Inverts every other pixel of the rectangle's outline, so that drawing it twice removes it.
BOOL WINAPI DrawFocusRect(HDC hDC, const RECT* lprc) {
    Painter p(hDC);
    if (!p.Valid() || !lprc)
        return FALSE;
    if (!p.Drawing() || IsRectEmpty(lprc))
        return TRUE;
    RECT b = p.ToBuffer(*lprc);
    // The dots keep their places relative to the device, wherever its pixels lie.
    POINT o = p.Destination().origin;
    auto dot = [&](int x, int y) {
        if ((x - o.x + y - o.y) % 2 == 0)
            p.Invert(x, y);
    };
    for (int x = b.left; x < b.right; ++x) {
        dot(x, b.top);
        if (b.bottom - 1 > b.top)
            dot(x, b.bottom - 1);
    }
    for (int y = b.top + 1; y < b.bottom - 1; ++y) {
        dot(b.left, y);
        if (b.right - 1 > b.left)
            dot(b.right - 1, y);
    }
    return TRUE;
}

BOOL WINAPI DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags) {
    Painter p(hdc);
    if (!p.Valid() || !qrc)
        return FALSE;
    RECT r = *qrc;
    if (edge & BDR_OUTER) {
        if (p.Drawing())
            Ring(p, r, grfFlags, RingColors(edge, grfFlags, true));
        Shrink(r, grfFlags);
    }
    if (edge & BDR_INNER) {
        if (p.Drawing())
            Ring(p, r, grfFlags, RingColors(edge, grfFlags, false));
        Shrink(r, grfFlags);
    }
    if ((grfFlags & BF_MIDDLE) && p.Drawing())
        p.Fill(p.ToBuffer(r), p.Pixel(GetSysColor(grfFlags & BF_MONO ? COLOR_WINDOW : COLOR_BTNFACE)));
    if (grfFlags & BF_ADJUST)
        *qrc = r;
    return TRUE;
}

void emu::render::DrawPixels(HDC hdc, int x, int y, int cx, int cy, const uint32_t* argb) {
    Painter p(hdc);
    if (!p.Drawing() || !argb)
        return;
    for (int j = 0; j < cy; ++j)
        for (int i = 0; i < cx; ++i) {
            uint32_t v = argb[static_cast<size_t>(j) * static_cast<size_t>(cx) + static_cast<size_t>(i)];
            POINT b = p.ToBuffer(x + i, y + j);
            int alpha = static_cast<int>(v >> 24);
            uint32_t pixel = v & 0xFFFFFF;
            p.Blend(b.x, b.y, p.Destination().mono ? emu::detail::ToMonochrome(pixel) : pixel, alpha);
        }
}

void emu::render::FillSolid(HDC hdc, const RECT& rect, COLORREF color) {
    Painter p(hdc);
    if (p.Drawing())
        p.Fill(p.ToBuffer(rect), p.Pixel(color));
}
