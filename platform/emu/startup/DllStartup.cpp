// The start-up code of a shared library on the emulation, as the C runtime's DLL start-up code is on
// Windows: linked into the library after its other objects, it hands the library's DllMain to the loader
// once the library's static objects are constructed.
#include <emu/Modules.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved);

// Named for the linker, which is told to keep it (the library references nothing here).
extern "C" const ::emu::ModuleEntryRegistration emuDllStartup;
extern "C" const ::emu::ModuleEntryRegistration emuDllStartup(&DllMain);
