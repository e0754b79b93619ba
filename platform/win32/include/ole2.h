// COM and OLE drag and drop. On Windows the platform's own header takes its place.
#pragma once

#include "windows.h"
#include "win32/ole.h"
