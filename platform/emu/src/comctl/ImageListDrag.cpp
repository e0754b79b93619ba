// The image-list drag: one per thread. BeginDrag copies the image into a list of the drag's own, so the
// caller may change or destroy its list during the drag; SetDragCursorImage combines a cursor image with
// that copy. EndDrag frees the copy; it does not hide the image, which DragLeave does.
#include "ImageList.h"

#include "../ResetHooks.h"

#include <emu/DragImage.h>
#include <emu/ImageListPixels.h>

#include <algorithm>

namespace emu::comctl {
namespace {

struct Drag {
    emu::DragImageState state;
    HIMAGELIST image = nullptr;  // the drag's copy, with any cursor image
    std::vector<uint32_t> track; // the image given to BeginDrag
    int trackCx = 0, trackCy = 0;
};

Drag& Current() {
    static Drag drag;
    return drag;
}

void End() {
    Drag& drag = Current();
    if (drag.image)
        ImageList_Destroy(drag.image);
    drag = Drag{};
}

const detail::ResetHook resetDrag(detail::ResetStage::Services, End);

// The image's pixels; a negative index, which BeginDrag accepts, gives a transparent image.
bool ReadImage(HIMAGELIST himl, int i, int& cx, int& cy, std::vector<uint32_t>& pixels) {
    if (!ImageList_GetIconSize(himl, &cx, &cy) || i >= ImageList_GetImageCount(himl))
        return false;
    pixels = i < 0 ? std::vector<uint32_t>(static_cast<size_t>(cx) * static_cast<size_t>(cy), 0)
                   : emu::ImageListPixels(himl, i);
    return true;
}

// Paints src (cx by cy, transparent where alpha is 0) into dst (width wide) at (x, y).
void Blend(std::vector<uint32_t>& dst, int width, const std::vector<uint32_t>& src, int cx, int cy, int x,
           int y) {
    for (int row = 0; row < cy; ++row)
        for (int col = 0; col < cx; ++col) {
            uint32_t p = src[static_cast<size_t>(row) * cx + col];
            if (p & 0xFF000000u)
                dst[static_cast<size_t>(row + y) * width + (col + x)] = p;
        }
}

} // namespace
} // namespace emu::comctl

using emu::comctl::Current;
using emu::comctl::Drag;

BOOL WINAPI ImageList_BeginDrag(HIMAGELIST himlTrack, int iTrack, int dxHotspot, int dyHotspot) {
    Drag& drag = Current();
    if (drag.state.active)
        return FALSE;
    int cx, cy;
    std::vector<uint32_t> pixels;
    if (!emu::comctl::ReadImage(himlTrack, iTrack, cx, cy, pixels))
        return FALSE;
    HIMAGELIST image = emu::comctl::CreateImageListFromPixels(cx, cy, pixels);
    if (!image)
        return FALSE;
    drag.image = image;
    drag.track = std::move(pixels);
    drag.trackCx = cx;
    drag.trackCy = cy;
    drag.state.active = true;
    drag.state.size = SIZE{cx, cy};
    drag.state.hotspot = POINT{dxHotspot, dyHotspot};
    return TRUE;
}

void WINAPI ImageList_EndDrag(void) {
    emu::comctl::End();
}

// The cursor image is placed with its hotspot on the drag image's hotspot, and the drag image grows to
// hold both; the drag keeps the hotspot that BeginDrag gave it.
BOOL WINAPI ImageList_SetDragCursorImage(HIMAGELIST himlDrag, int iDrag, int dxHotspot, int dyHotspot) {
    Drag& drag = Current();
    int cx, cy;
    std::vector<uint32_t> cursor;
    if (!drag.state.active || iDrag < 0 || !emu::comctl::ReadImage(himlDrag, iDrag, cx, cy, cursor))
        return FALSE;
    int ox = drag.state.hotspot.x - dxHotspot, oy = drag.state.hotspot.y - dyHotspot;
    int left = std::min(0, ox), top = std::min(0, oy);
    int width = std::max(drag.trackCx, ox + cx) - left, height = std::max(drag.trackCy, oy + cy) - top;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    emu::comctl::Blend(pixels, width, drag.track, drag.trackCx, drag.trackCy, -left, -top);
    emu::comctl::Blend(pixels, width, cursor, cx, cy, ox - left, oy - top);
    HIMAGELIST image = emu::comctl::CreateImageListFromPixels(width, height, pixels);
    if (!image)
        return FALSE;
    ImageList_Destroy(drag.image);
    drag.image = image;
    drag.state.size = SIZE{width, height};
    return TRUE;
}

BOOL WINAPI ImageList_DragEnter(HWND hwndLock, int x, int y) {
    Drag& drag = Current();
    if (!drag.state.active || (hwndLock && !IsWindow(hwndLock)))
        return FALSE;
    drag.state.entered = true;
    drag.state.lockWindow = hwndLock;
    drag.state.position = POINT{x, y};
    drag.state.shown = true;
    return TRUE;
}

// The emulation shows the image in one place only, so leaving hides it whichever window is named.
BOOL WINAPI ImageList_DragLeave(HWND) {
    Drag& drag = Current();
    if (!drag.state.active)
        return FALSE;
    drag.state.entered = false;
    drag.state.lockWindow = nullptr;
    drag.state.shown = false;
    return TRUE;
}

BOOL WINAPI ImageList_DragMove(int x, int y) {
    Drag& drag = Current();
    if (!drag.state.active)
        return FALSE;
    drag.state.position = POINT{x, y};
    return TRUE;
}

BOOL WINAPI ImageList_DragShowNolock(BOOL fShow) {
    Drag& drag = Current();
    bool show = fShow != FALSE;
    if (!drag.state.active || drag.state.shown == show)
        return FALSE;
    drag.state.shown = show;
    return TRUE;
}

HIMAGELIST WINAPI ImageList_GetDragImage(POINT* ppt, POINT* pptHotspot) {
    Drag& drag = Current();
    if (!drag.state.active)
        return nullptr;
    if (ppt)
        *ppt = drag.state.position;
    if (pptHotspot)
        *pptHotspot = drag.state.hotspot;
    return drag.image;
}

emu::DragImageState emu::DragImage() {
    return Current().state;
}
