// The common controls as the library and the framework use them: tree view, image lists, and the edit
// control and text metrics that label editing needs. On Windows the platform's own headers take its place.
#pragma once

#include <windows.h>

#include "win32/commctrl_common.h"
#include "win32/font.h"
#include "win32/edit.h"
#include "win32/imagelist.h"
#include "win32/treeview.h"
