// Pixel operations on what a device context draws into, in its logical coordinates, within its clip.
#pragma once

#include "Dc.h"
#include "Objects.h"

#include <optional>

namespace emu::render {

class Painter {
public:
    explicit Painter(HDC hdc);

    // False for a value that names no device context.
    bool Valid() const { return m_dc != nullptr; }
    Dc& Context() const { return *m_dc; }
    // True when the device context draws somewhere now.
    bool Drawing() const { return m_target.has_value(); }
    const Target& Destination() const { return *m_target; }

    // Logical to buffer coordinates.
    POINT ToBuffer(int x, int y) const;
    RECT ToBuffer(const RECT& logical) const;
    // The part of a buffer rectangle inside the clip.
    RECT Clipped(const RECT& buffer) const;
    bool Inside(int bx, int by) const;

    // A COLORREF as this target stores it (black or white on a monochrome bitmap).
    uint32_t Pixel(COLORREF color) const;
    uint32_t& At(int bx, int by) const {
        return m_target->pixels[static_cast<size_t>(by) * static_cast<size_t>(m_target->width) +
                                static_cast<size_t>(bx)];
    }

    // Buffer coordinates; each skips what lies outside the clip.
    void Fill(const RECT& buffer, uint32_t pixel) const;
    void Put(int bx, int by, uint32_t pixel) const;
    // Mixes `pixel` over the pixel there by alpha (0 to 255).
    void Blend(int bx, int by, uint32_t pixel, int alpha) const;
    void Invert(int bx, int by) const;

    // The selected objects, falling back to the stock defaults where a selected object was deleted.
    PenInfo Pen() const;
    BrushInfo Brush() const;
    FontInfo Font() const;

private:
    Dc* m_dc;
    std::optional<Target> m_target;
};

// The ternary raster operation `rop` on 24-bit pattern, source and destination values.
uint32_t Rop3(DWORD rop, uint32_t pattern, uint32_t source, uint32_t destination);

} // namespace emu::render
