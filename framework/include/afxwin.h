// The framework's core: strings, geometry, windows and message maps, dialogs and the standard controls, menus
// and device contexts, application and module state, and the standard resource IDs.
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
#include "afx/Dc.h"
#include "afx/Menu.h"
#include "afx/Dialog.h"
#include "afx/Button.h"
#include "afx/Static.h"
#include "afx/Edit.h"
