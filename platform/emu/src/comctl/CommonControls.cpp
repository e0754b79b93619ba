// Registration of the common controls' window classes. They belong to the emulation's own module, so
// they are system classes that survive emu::Reset.
#include "Edit.h"
#include "TreeView.h"

#include "core/Core.h"

namespace {

// The edit control is the system's own, there from the start like the button and the static control.
const emu::core::SystemClasses editClass([] { emu::comctl::RegisterEditClass(emu::core::SystemModule()); });

} // namespace

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce) {
    if (!picce || picce->dwSize != sizeof(INITCOMMONCONTROLSEX))
        return FALSE;
    HINSTANCE module = emu::core::SystemModule();
    emu::comctl::RegisterEditClass(module);
    if (picce->dwICC & ICC_TREEVIEW_CLASSES)
        emu::comctl::RegisterTreeViewClass(module);
    return TRUE;
}

void WINAPI InitCommonControls(void) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
}
