// What the rest of the emulation draws with, beyond the win32 drawing functions.
#pragma once

#include <windows.h>

#include <cstdint>

namespace emu::render {

// WM_NCPAINT's default: the frame, caption, client edge and scroll bars the window's styles give it.
void PaintNonClient(HWND hwnd);

// Draws cx by cy 0xAARRGGBB pixels (rows from the top) with their top left corner at the logical point,
// each mixed with what is there by its alpha: 0 leaves the pixel as it was.
void DrawPixels(HDC hdc, int x, int y, int cx, int cy, const uint32_t* argb);

// Fills the rectangle (logical coordinates) with a colour, leaving the device context's attributes alone.
void FillSolid(HDC hdc, const RECT& rect, COLORREF color);

} // namespace emu::render
