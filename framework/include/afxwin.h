// The framework's core: strings, geometry, windows and message maps, application and module state, and the
// standard resource IDs.
#pragma once

#include <windows.h>

#include "afxres.h"

#include "afx/Defs.h"
#include "afx/Object.h"
#include "afx/Exception.h"
#include "afx/String.h"
#include "afx/StringArray.h"
#include "afx/Geometry.h"
#include "afx/CmdTarget.h"
#include "afx/MessageMap.h"
#include "afx/Wnd.h"
#include "afx/ModuleState.h"
#include "afx/WinApp.h"
#include "afx/MessageBox.h"
#include "afx/DataExchange.h"
#include "afx/Bitmap.h"
#include "afx/Edit.h"
