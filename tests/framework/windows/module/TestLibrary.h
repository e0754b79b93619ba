// A second module for the tests: a shared library with its own module state, application object and
// resources, loaded and unloaded the way a library built on the framework does it.
#pragma once

#include <afxwin.h>

// RT_RCDATA resources: the shared one is held by both modules, the others by one module each.
constexpr WORD kResShared = 101;
constexpr WORD kResLibraryOnly = 102;
constexpr WORD kResHostOnly = 103;

namespace testlib {

AFX_MODULE_STATE* State();
CWinApp* App();
// Initialises the framework for the library and enters it into its own resource libraries.
BOOL Load();
void Unload();
// A resource lookup by the library's own code, under its own state.
HINSTANCE FindOwnResource(WORD id);

} // namespace testlib
