// The framework's message box.
#pragma once

#include "Defs.h"

// Shows a message box through the application object (CWinApp::DoMessageBox), or with the current module's
// application name when there is none. Returns the button pressed.
int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
