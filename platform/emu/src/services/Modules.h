// The modules of the process: the executable and each shared library, with handles that fit in 32 bits.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace emu::detail {

// The module whose code or data holds the address, or NULL.
HMODULE ModuleOfAddress(const void* address);
HMODULE ExecutableModule();
// NULL stands for the executable; any other value must be a module handle. Returns NULL otherwise.
HMODULE ResolveModule(HMODULE module);
// Whether a module name is a file's path (it holds a slash or a backslash).
bool IsPathName(const char* name);
// The loaded module of that name (as GetModuleHandleA matches names), or NULL; sets no error.
HMODULE FindModule(const char* name);
// The file of a module, "" for an unknown handle. Unlike GetModuleFileNameA it never fails on purpose.
std::string ModulePath(HMODULE module);
// The descriptors of the module's ELF notes of that owner and type, in place in the mapped module, in the
// order of its PT_NOTE segments.
std::vector<std::span<const BYTE>> ModuleNotes(HMODULE module, std::string_view owner, uint32_t type);
// Forgets the libraries that are no longer mapped, so that their handles become invalid.
void ForgetUnloadedModules();

} // namespace emu::detail
