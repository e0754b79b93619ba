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

// Drops the window's client device context, so that the next use of it has the default attributes: GetDC,
// ReleaseDC and EndPaint do, and a destroyed window's goes with it.
void ResetClientDc(HWND hwnd);

} // namespace emu::render
