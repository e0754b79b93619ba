// Pictures of windows on the real platform: the window is repainted with its children and its rectangle is
// copied from its window device context into a 32-bit DIB section, which the PNG encoder writes out; the
// decoder reads such files back.
#include "Dib.h"
#include "PngDecoder.h"
#include "PngEncoder.h"

#include <emu/Picture.h>

#include <cstring>
#include <fstream>
#include <iterator>

emu::Picture emu::RenderWindow(HWND hwnd) {
    RECT rect;
    if (!IsWindow(hwnd) || !GetWindowRect(hwnd, &rect))
        return {};
    Picture picture{rect.right - rect.left, rect.bottom - rect.top, {}};
    if (picture.width <= 0 || picture.height <= 0)
        return {};
    RedrawWindow(hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    BITMAPINFO info = detail::TopDownDib32(picture.width, picture.height);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr)
        return {};
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HDC window = GetWindowDC(hwnd);
    const bool copied = BitBlt(memory, 0, 0, picture.width, picture.height, window, 0, 0, SRCCOPY) != FALSE;
    ReleaseDC(hwnd, window);
    GdiFlush();
    if (copied) {
        picture.pixels.resize(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height));
        std::memcpy(picture.pixels.data(), bits, picture.pixels.size() * sizeof(uint32_t));
        for (uint32_t& p : picture.pixels)
            p &= 0xFFFFFFu;
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    if (!copied)
        return {};
    return picture;
}

COLORREF emu::Picture::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height)
        return CLR_INVALID;
    const uint32_t p = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
}

bool emu::SavePicture(const Picture& picture, const std::string& path) {
    const std::vector<uint8_t> bytes = detail::EncodePng(picture);
    if (bytes.empty())
        return false;
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

emu::Picture emu::LoadPicture(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return detail::DecodePng(bytes);
}

bool emu::SaveWindowPicture(HWND hwnd, const std::string& path) {
    return SavePicture(RenderWindow(hwnd), path);
}
