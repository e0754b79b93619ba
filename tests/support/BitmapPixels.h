// A bitmap's pixels as the tests compare them: read with GetDIBits through the screen's device context as a
// top-down 32-bit DIB, each pixel 0xRRGGBB.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// Empty when the bitmap cannot be read as `width` by `height`.
inline std::vector<uint32_t> BitmapPixels(HBITMAP bitmap, int width, int height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    const int lines =
        GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (lines != height)
        return {};
    for (uint32_t& pixel : pixels)
        pixel &= 0xFFFFFF;
    return pixels;
}
