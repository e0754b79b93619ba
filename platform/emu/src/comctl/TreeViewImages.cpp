// The drag image of a tree-view item.
#include "ImageList.h"
#include "TreeView.h"

#include "../gdi/FixedFont.h"

#include <emu/ImageListPixels.h>

#include <cstring>

namespace emu::comctl {

// Image 0 of the new list shows the item's normal image and, right of it, its label in black on white.
// Transparent parts of the image stay transparent.
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
    size_t length = strlen(text);
    int width = iconWidth + static_cast<int>(length) * EMU_FONT_CHAR_WIDTH + 4;
    int height = std::max(m_itemHeight, iconHeight);
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = iconWidth; x < width; ++x)
            pixels[static_cast<size_t>(y) * width + x] = 0xFFFFFFFFu;
    std::vector<uint32_t> icon = ImageListPixels(m_normal, item.iImage);
    int iconTop = (height - iconHeight) / 2;
    if (!icon.empty())
        for (int y = 0; y < iconHeight; ++y)
            std::memcpy(&pixels[static_cast<size_t>(y + iconTop) * width],
                        &icon[static_cast<size_t>(y) * iconWidth],
                        sizeof(uint32_t) * static_cast<size_t>(iconWidth));
    gdi::DrawFixedText(pixels.data(), width, height, iconWidth + 2, (height - EMU_FONT_HEIGHT) / 2, text,
                       length, 0xFF000000u);
    return CreateImageListFromPixels(width, height, pixels);
}

} // namespace emu::comctl
