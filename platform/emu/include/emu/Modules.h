// The loader's side of modules: each shared library's entry point, the record of the loader's calls to
// entry points, and a way to make a module's start fail.
#pragma once

#include <windows.h>

#include <vector>

namespace emu {

// A module's entry point, called as Windows calls a library's DllMain: DLL_PROCESS_ATTACH when the module
// is loaded (FALSE fails the load), DLL_THREAD_DETACH when a thread ends, DLL_PROCESS_DETACH when the module
// is unloaded or the process ends. The loader never sends DLL_THREAD_ATTACH: it does not see threads start.
using ModuleEntry = BOOL(WINAPI*)(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved);

// Gives the module that holds `entry` its entry point. A shared library gets one from the emulation's
// start-up code (the static library TalWin32EmuDllStartup, which the framework's library entry brings): a
// registration of the library's DllMain, constructed after the library's other static objects.
// - Construction attaches: the entry runs at once with DLL_PROCESS_ATTACH; lpReserved is NULL when
//   LoadLibraryA loads the module, non-NULL for a module loaded with the process. If it answers FALSE it runs
//   again with DLL_PROCESS_DETACH; then LoadLibraryA fails with ERROR_DLL_INIT_FAILED, and a module that is
//   loaded any other way ends the process (exit code 1, a line on standard error), as Windows does.
// - Each thread that ends after using the module functions (module handles and file names, resources,
//   LoadLibraryA) runs every attached entry with DLL_THREAD_DETACH, on that thread. The main thread does not:
//   its end is the process's.
// - Destruction, when the module is unloaded or the process ends, runs the entry with DLL_PROCESS_DETACH if
//   it attached; lpReserved is NULL within FreeLibrary, non-NULL at the process's end.
class ModuleEntryRegistration {
public:
    // Attaches the module that holds `entry`, as described above.
    explicit ModuleEntryRegistration(ModuleEntry entry);
    // Detaches the module, as described above.
    ~ModuleEntryRegistration();
    ModuleEntryRegistration(const ModuleEntryRegistration&) = delete;
    ModuleEntryRegistration& operator=(const ModuleEntryRegistration&) = delete;

private:
    ModuleEntry m_entry;
};

// One call of a module's entry point by the loader.
struct ModuleEntryCall {
    // The module whose entry ran.
    HMODULE module;
    // DLL_PROCESS_ATTACH, DLL_THREAD_DETACH or DLL_PROCESS_DETACH.
    DWORD reason;
    // What the entry answered.
    BOOL result;
};
// The loader's calls of entry points since the last Reset, each noted when it returns.
const std::vector<ModuleEntryCall>& ModuleEntryCalls();

// From now on GetModuleFileNameA fails with ERROR_NOT_ENOUGH_MEMORY for the module of that name once it has
// answered `successes` more times, as if the system had run out of memory. The name is matched as
// GetModuleHandleA matches it, also for a module loaded later. Reset, or a NULL name, ends it.
void FailModuleFileName(LPCSTR moduleName, UINT successes);

} // namespace emu
