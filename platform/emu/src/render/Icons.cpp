// Drawing icons and cursors: the AND mask keeps what lies beneath where it is set and blacks it out
// elsewhere, then the image is XORed on; an image with alpha is blended instead. DI_MASK or DI_IMAGE alone
// copies the mask (white where set) or the image.
#include "Painter.h"

#include "resources/Icons.h"
#include "services/Dib.h"

using namespace emu::render;
using emu::detail::FindIcon;
using emu::detail::Icon;

BOOL WINAPI DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT,
                       HBRUSH hbrFlickerFreeDraw, UINT diFlags) {
    const Icon* found = FindIcon(hIcon);
    if (!found) {
        SetLastError(ERROR_INVALID_CURSOR_HANDLE);
        return FALSE;
    }
    Painter p(hdc);
    if (!p.Valid())
        return FALSE;
    bool defaultSize = (diFlags & DI_DEFAULTSIZE) != 0;
    int cx = cxWidth       ? cxWidth
             : defaultSize ? GetSystemMetrics(found->isIcon ? SM_CXICON : SM_CXCURSOR)
                           : found->width;
    int cy = cyWidth       ? cyWidth
             : defaultSize ? GetSystemMetrics(found->isIcon ? SM_CYICON : SM_CYCURSOR)
                           : found->height;
    if (cx <= 0 || cy <= 0)
        return TRUE;
    // The flicker-free brush is the ground the icon is drawn on before it reaches the device.
    if (hbrFlickerFreeDraw) {
        RECT ground{xLeft, yTop, xLeft + cx, yTop + cy};
        FillRect(hdc, &ground, hbrFlickerFreeDraw);
    }
    if (!p.Drawing() || !(diFlags & DI_NORMAL))
        return TRUE;
    Icon icon = emu::detail::Scaled(*found, cx, cy);
    bool mono = p.Destination().mono;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) {
            POINT b = p.ToBuffer(xLeft + x, yTop + y);
            if (!p.Inside(b.x, b.y))
                continue;
            size_t i = static_cast<size_t>(y) * static_cast<size_t>(cx) + static_cast<size_t>(x);
            uint32_t image = mono ? emu::detail::ToMonochrome(icon.image[i]) : icon.image[i];
            uint32_t& pixel = p.At(b.x, b.y);
            if ((diFlags & DI_NORMAL) == DI_NORMAL && !icon.alpha.empty())
                p.Blend(b.x, b.y, image, icon.alpha[i]);
            else if ((diFlags & DI_NORMAL) == DI_NORMAL)
                pixel = (icon.mask[i] ? pixel : 0) ^ image;
            else if (diFlags & DI_MASK)
                pixel = icon.mask[i] ? 0xFFFFFF : 0;
            else
                pixel = image;
        }
    return TRUE;
}

BOOL WINAPI DrawIcon(HDC hDC, int X, int Y, HICON hIcon) {
    return DrawIconEx(hDC, X, Y, hIcon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}
