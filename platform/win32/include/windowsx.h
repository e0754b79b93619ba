// Message cracker helpers of the win32 API, as the library and the framework use them. On Windows the
// platform's own header takes its place.
#pragma once

#include "windows.h"

#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))
