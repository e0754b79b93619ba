// Putting a hook between the program's modules and one platform function.
#pragma once

#include <windows.h>

namespace emu::detail {

// Points every call of dll!function from the modules loaded so far (outside the system folder) at
// `replacement`. The replacement calls the platform's function through GetProcAddress.
void HookImport(const char* dll, const char* function, void* replacement);

// The platform's own dll!name, for a replacement to call.
template <typename Function> Function Original(const char* dll, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(dll), name)));
}

// Puts the watch of modal dialog loops (ModalDialogs.cpp) between the program and DialogBoxParamA and
// DialogBoxIndirectParamA.
void HookModalDialogs();

} // namespace emu::detail
