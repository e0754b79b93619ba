#include "ModuleResources.h"

#include <emu/Resources.h>

namespace {

const char greeting[] = "module";
EMU_RESOURCE(RT_RCDATA, MAKEINTRESOURCEA(100), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), greeting,
             sizeof greeting);
EMU_RESOURCE(RT_RCDATA, "Named", MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), greeting, sizeof greeting);

const std::vector<BYTE> menu = emu::MenuTemplate().Popup("Module").Item("From module", 501).End().Build();
EMU_RESOURCE(RT_MENU, MAKEINTRESOURCEA(200), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), menu.data(),
             menu.size());

} // namespace

HMODULE ServicesTestModule() {
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ServicesTestModule), &self);
    return self;
}

const void* ServicesTestModuleCode() {
    return reinterpret_cast<const void*>(&ServicesTestModuleCode);
}
