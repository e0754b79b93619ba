// The framework's standard dialogs build on its dialog class (CDialog, in the core); the common dialogs and
// property sheets themselves are not offered.
#pragma once

#include "afxwin.h"
