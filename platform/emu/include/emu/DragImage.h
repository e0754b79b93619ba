// The image-list drag (ImageList_BeginDrag ... ImageList_EndDrag) as the user would see it.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace emu {

// What the image-list drag shows, as DragImage reports it.
struct DragImageState {
    bool active = false;       // between ImageList_BeginDrag and ImageList_EndDrag
    bool entered = false;      // between ImageList_DragEnter and ImageList_DragLeave
    bool shown = false;        // drawn on screen
    HWND lockWindow = nullptr; // the window entered (NULL for the desktop)
    POINT position{};          // the last DragEnter or DragMove point, relative to the lock window's origin
    SIZE size{};               // the image dragged, grown to hold a cursor image set with SetDragCursorImage
    POINT hotspot{};           // as given to ImageList_BeginDrag
};

// The drag's current state; all zero while no drag is active.
DragImageState DragImage();

} // namespace emu
