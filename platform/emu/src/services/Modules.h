// The modules of the process: the executable and each shared library, with handles that fit in 32 bits.
#pragma once

#include <windows.h>

namespace emu::detail {

// The module whose code or data holds the address, or NULL.
HMODULE ModuleOfAddress(const void* address);
HMODULE ExecutableModule();
// NULL stands for the executable; any other value must be a module handle. Returns NULL otherwise.
HMODULE ResolveModule(HMODULE module);

} // namespace emu::detail
