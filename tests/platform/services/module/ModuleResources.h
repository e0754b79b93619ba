// A second module for the resource tests: it declares resources with the same IDs as the test program,
// with different content.
#pragma once

#include <windows.h>

// This library's own module handle, as the library finds it.
HMODULE ServicesTestModule();

// Address of a function in this library.
const void* ServicesTestModuleCode();
