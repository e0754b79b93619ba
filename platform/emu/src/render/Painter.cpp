#include "Painter.h"

#include "services/Dib.h"

#include <algorithm>

namespace emu::render {

Painter::Painter(HDC hdc) : m_dc(FindDc(hdc)) {
    if (m_dc)
        m_target = TargetOf(*m_dc);
}

POINT Painter::ToBuffer(int x, int y) const {
    const DcState& s = m_dc->state;
    return POINT{x + s.viewport.x + m_target->origin.x, y + s.viewport.y + m_target->origin.y};
}

RECT Painter::ToBuffer(const RECT& logical) const {
    POINT a = ToBuffer(logical.left, logical.top);
    POINT b = ToBuffer(logical.right, logical.bottom);
    return RECT{a.x, a.y, b.x, b.y};
}

RECT Painter::Clipped(const RECT& buffer) const {
    RECT r;
    if (!IntersectRect(&r, &buffer, &m_target->clip))
        return RECT{};
    return r;
}

bool Painter::Inside(int bx, int by) const {
    const RECT& c = m_target->clip;
    return bx >= c.left && bx < c.right && by >= c.top && by < c.bottom;
}

uint32_t Painter::Pixel(COLORREF color) const {
    uint32_t pixel = ToPixel(color);
    return m_target && m_target->mono ? detail::ToMonochrome(pixel) : pixel;
}

void Painter::Fill(const RECT& buffer, uint32_t pixel) const {
    RECT r = Clipped(buffer);
    for (int y = r.top; y < r.bottom; ++y)
        std::fill_n(&At(r.left, y), r.right - r.left, pixel);
}

void Painter::Put(int bx, int by, uint32_t pixel) const {
    if (Inside(bx, by))
        At(bx, by) = pixel;
}

void Painter::Blend(int bx, int by, uint32_t pixel, int alpha) const {
    if (!Inside(bx, by) || alpha <= 0)
        return;
    uint32_t& d = At(bx, by);
    if (m_target->mono) {
        if (alpha >= 128)
            d = pixel;
        return;
    }
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int s = static_cast<int>(pixel >> shift & 0xFF), t = static_cast<int>(d >> shift & 0xFF);
        out |= static_cast<uint32_t>((s * alpha + t * (255 - alpha) + 127) / 255) << shift;
    }
    d = out;
}

void Painter::Invert(int bx, int by) const {
    if (Inside(bx, by))
        At(bx, by) ^= 0xFFFFFF;
}

PenInfo Painter::Pen() const {
    if (auto pen = PenOf(m_dc->state.pen))
        return *pen;
    return PenInfo{PS_SOLID, 1, RGB(0, 0, 0)};
}

BrushInfo Painter::Brush() const {
    if (auto brush = BrushOf(m_dc->state.brush))
        return *brush;
    return BrushInfo{false, RGB(255, 255, 255)};
}

FontInfo Painter::Font() const {
    if (auto font = FontOf(m_dc->state.font))
        return *font;
    return FontInfo{false};
}

// Each bit of the operation's code is the result for one combination of pattern, source and destination
// bits (pattern the most significant).
uint32_t Rop3(DWORD rop, uint32_t pattern, uint32_t source, uint32_t destination) {
    uint32_t code = rop >> 16 & 0xFF, result = 0;
    for (uint32_t i = 0; i < 8; ++i) {
        if (!(code >> i & 1))
            continue;
        result |= ((i & 4) ? pattern : ~pattern) & ((i & 2) ? source : ~source) &
                  ((i & 1) ? destination : ~destination);
    }
    return result & 0xFFFFFF;
}

} // namespace emu::render
