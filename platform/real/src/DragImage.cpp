// The image-list drag as the real platform reports it: ImageList_GetDragImage tells whether a drag is active,
// its position and hotspot. Whether the image is entered or shown is not reported, so those stay false.
#include <emu/DragImage.h>

namespace emu {

DragImageState DragImage() {
    DragImageState state;
    POINT position{};
    POINT hotspot{};
    HIMAGELIST list = ImageList_GetDragImage(&position, &hotspot);
    if (list == nullptr)
        return state;
    state.active = true;
    state.position = position;
    state.hotspot = hotspot;
    int cx = 0;
    int cy = 0;
    if (ImageList_GetIconSize(list, &cx, &cy))
        state.size = {cx, cy};
    return state;
}

} // namespace emu
