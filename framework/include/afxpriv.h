// The framework's messages for its own use that hosts handle too, such as WM_KICKIDLE, which a modal loop
// sends its window whenever it goes idle; here afxwin.h declares them already.
#pragma once

#include "afxwin.h"
