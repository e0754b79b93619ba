// Pens, brushes and fonts as the drawing code sees them, whatever handle names them.
#pragma once

#include <windows.h>

#include <optional>

namespace emu::render {

struct PenInfo {
    int style; // PS_
    int width;
    COLORREF color;
};

struct BrushInfo {
    bool hollow;
    COLORREF color;
};

struct FontInfo {
    bool bold;
};

// nullopt for a handle that is not a live object of that kind. BrushOf also takes a system colour index
// plus one.
std::optional<PenInfo> PenOf(HGDIOBJ handle);
std::optional<BrushInfo> BrushOf(HGDIOBJ handle);
std::optional<FontInfo> FontOf(HGDIOBJ handle);

// The 1 x 1 monochrome bitmap that a new memory device context holds.
HBITMAP DefaultBitmap();

// A COLORREF as a 0x00RRGGBB pixel, and back.
constexpr uint32_t ToPixel(COLORREF c) {
    return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}
constexpr COLORREF ToColorRef(uint32_t pixel) {
    return RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
}

} // namespace emu::render
