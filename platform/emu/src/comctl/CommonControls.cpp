// Registration of the common controls' window classes. They belong to the emulation's own module, so
// they are system classes that survive emu::Reset.
#include "Edit.h"
#include "TreeView.h"

namespace {

HINSTANCE EmulationModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&EmulationModule), &module);
    return module;
}

} // namespace

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce) {
    if (!picce || picce->dwSize != sizeof(INITCOMMONCONTROLSEX))
        return FALSE;
    HINSTANCE module = EmulationModule();
    emu::comctl::RegisterEditClass(module);
    if (picce->dwICC & ICC_TREEVIEW_CLASSES)
        emu::comctl::RegisterTreeViewClass(module);
    return TRUE;
}

void WINAPI InitCommonControls(void) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
}
