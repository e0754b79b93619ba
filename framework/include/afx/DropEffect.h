// The framework's name for the effects of an OLE drag (DROPEFFECT_COPY, ...), which the platform passes as
// DWORD.
#pragma once

#include <ole2.h>

typedef DWORD DROPEFFECT;
