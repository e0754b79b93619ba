// What the library's entry needs of its module state beyond the framework's names.
#pragma once

#include <afxwin.h>

// Gives the thread back the module state that was current before the library's static objects were
// constructed under the library's own; once, when the library is attached.
AFX_MODULE_LOCAL void AfxRestoreCallerModuleState();
