// Reading an image list's pixels on the real platform, from the bitmaps that ImageList_GetImageInfo names.
#include "Dib.h"

#include <emu/ImageListPixels.h>

namespace {

// The rectangle's pixels of a bitmap as 32-bit 0x00RRGGBB values, rows from the top.
std::vector<uint32_t> ReadPixels(HBITMAP hBitmap, const RECT& rect) {
    BITMAP bitmap{};
    if (hBitmap == nullptr || !GetObjectA(hBitmap, sizeof bitmap, &bitmap))
        return {};
    BITMAPINFO info = emu::detail::TopDownDib32(bitmap.bmWidth, bitmap.bmHeight);
    std::vector<uint32_t> all(static_cast<size_t>(bitmap.bmWidth) * static_cast<size_t>(bitmap.bmHeight));
    HDC hdc = GetDC(nullptr);
    int rows =
        GetDIBits(hdc, hBitmap, 0, static_cast<UINT>(bitmap.bmHeight), all.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, hdc);
    if (rows != bitmap.bmHeight)
        return {};
    std::vector<uint32_t> out;
    for (LONG y = rect.top; y < rect.bottom; ++y)
        for (LONG x = rect.left; x < rect.right; ++x)
            out.push_back(all[static_cast<size_t>(y * bitmap.bmWidth + x)] & 0xFFFFFFu);
    return out;
}

} // namespace

namespace emu {

std::vector<uint32_t> ImageListPixels(HIMAGELIST list, int index) {
    IMAGEINFO info{};
    if (list == nullptr || index < 0 || index >= ImageList_GetImageCount(list) ||
        !ImageList_GetImageInfo(list, index, &info))
        return {};
    std::vector<uint32_t> pixels = ReadPixels(info.hbmImage, info.rcImage);
    std::vector<uint32_t> mask = ReadPixels(info.hbmMask, info.rcImage);
    for (size_t i = 0; i < pixels.size(); ++i) {
        // A set mask pixel is transparent.
        const bool transparent = i < mask.size() && mask[i] != 0;
        pixels[i] = transparent ? 0 : pixels[i] | 0xFF000000u;
    }
    return pixels;
}

} // namespace emu
