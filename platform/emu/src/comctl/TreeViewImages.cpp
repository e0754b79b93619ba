// The drag image of a tree-view item.
#include "ImageList.h"
#include "TreeView.h"

#include <emu/ImageListPixels.h>

#include <cstring>

namespace emu::comctl {

// Image 0 of the new list shows the item's normal image and, right of it, its label in black on white,
// drawn with the tree's font. Transparent parts of the image stay transparent.
HIMAGELIST TreeView::CreateDragImage(HTREEITEM h) {
    int iconWidth = 0, iconHeight = 0;
    if (!Own(h) || !m_normal || !ImageList_GetIconSize(m_normal, &iconWidth, &iconHeight))
        return nullptr;
    char text[260] = "";
    TVITEMA item{};
    item.mask = TVIF_TEXT | TVIF_IMAGE;
    item.hItem = h;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    if (!GetItem(&item) || Dead())
        return nullptr;
    int length = static_cast<int>(strlen(text));
    int width = iconWidth + length * EMU_FONT_CHAR_WIDTH + 4;
    int height = std::max(m_itemHeight, iconHeight);

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP label = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = SelectObject(dc, label);
    HGDIOBJ oldFont = SelectObject(
        dc, m_font && GetObjectType(m_font) == OBJ_FONT ? m_font : GetStockObject(DEFAULT_GUI_FONT));
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, iconWidth + 2, (height - EMU_FONT_HEIGHT) / 2, text, length);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);

    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    BITMAPINFO bi{};
    bi.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    GetDIBits(dc, label, 0, static_cast<UINT>(height), pixels.data(), &bi, DIB_RGB_COLORS);
    DeleteDC(dc);
    DeleteObject(label);
    std::vector<uint32_t> icon = ImageListPixels(m_normal, item.iImage);
    int iconTop = (height - iconHeight) / 2;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint32_t& p = pixels[static_cast<size_t>(y) * width + x];
            bool inIcon = x < iconWidth && y >= iconTop && y < iconTop + iconHeight;
            if (x >= iconWidth)
                p |= 0xFF000000u;
            else if (inIcon && !icon.empty())
                p = icon[static_cast<size_t>(y - iconTop) * iconWidth + x];
            else
                p = 0;
        }
    return CreateImageListFromPixels(width, height, pixels);
}

} // namespace emu::comctl
