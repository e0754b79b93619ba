// The emulated GUI font's glyphs: a 5 x 7 bitmap face in 6 x 13 cells (see win32/font.h).
#pragma once

#include <cstddef>
#include <cstdint>

namespace emu::gdi {

// Draws text into a 0xAARRGGBB pixel buffer of width x height, the cell of the first character at (x, y).
// Pixels outside the buffer are skipped.
void DrawFixedText(uint32_t* pixels, int width, int height, int x, int y, const char* text, size_t length,
                   uint32_t color);

} // namespace emu::gdi
