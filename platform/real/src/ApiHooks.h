// Putting a hook between the program's modules and one platform function.
#pragma once

#include <windows.h>

namespace emu::detail {

// Points every call of dll!function from the modules loaded so far (outside the system folder) at
// `replacement`. The replacement calls the platform's function through GetProcAddress.
void HookImport(const char* dll, const char* function, void* replacement);

} // namespace emu::detail
