// Glyphs of the face that draws the emulated GUI font: DejaVu Sans Mono from the system's fonts, at the
// size whose advance is the font's 6-pixel cell, hinted and without smoothing, as the classic desktop drew
// text.
#pragma once

#include <cstdint>
#include <vector>

namespace emu::render {

// Baseline of the glyphs within the 13-pixel cell, from its top.
constexpr int GlyphBaseline = 10;

struct Glyph {
    int left = 0; // from the cell's left edge
    int top = 0;  // from the baseline up to the bitmap's first row
    int width = 0;
    int rows = 0;
    std::vector<uint8_t> coverage; // width x rows, 0 (none) or 255 (ink)
};

// The glyph of a Unicode character; NULL when the face is missing (said once on standard error) or has
// no such glyph.
const Glyph* GlyphOf(char32_t character, bool bold);

} // namespace emu::render
