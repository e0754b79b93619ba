// A second module for the tests: a shared library with its own module state, application object and
// resources, loaded and unloaded the way a library built on the framework does it.
#pragma once

#include "ResourceIds.h"

#include <afxwin.h>

constexpr WORD kResShared = IDR_SHARED;
constexpr WORD kResLibraryOnly = IDR_LIBRARY_ONLY;
constexpr WORD kResHostOnly = IDR_HOST_ONLY;

namespace testlib {

AFX_MODULE_STATE* State();
CWinApp* App();
// Initialises the framework for the library and enters it into its own resource libraries.
BOOL Load();
void Unload();
// A resource lookup by the library's own code, under its own state.
HINSTANCE FindOwnResource(WORD id);

} // namespace testlib
