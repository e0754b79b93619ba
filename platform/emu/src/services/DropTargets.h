// Drop targets registered with RegisterDragDrop, for the OLE drag loop.
#pragma once

#include <ole2.h>

namespace emu::detail {

// The drop target registered for the window itself (not its parents), or NULL.
IDropTarget* RegisteredDropTarget(HWND hwnd);

} // namespace emu::detail
