// The framework's OLE support for automation-aware applications: OLE's initialisation for the application
// (AfxOleInit) with the OLE classes beneath it. Automation's own classes are not offered.
#pragma once

#include "afxwin.h"
#include "afxole.h"
