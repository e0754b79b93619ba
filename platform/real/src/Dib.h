// The header of a 32-bit top-down DIB, whose pixels are 0x00RRGGBB values, rows from the top.
#pragma once

#include <windows.h>

namespace emu::detail {

inline BITMAPINFO TopDownDib32(LONG width, LONG height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

} // namespace emu::detail
