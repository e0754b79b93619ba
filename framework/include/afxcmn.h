// The framework's common controls: tree view, image lists, and the edit control of label editing.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "afxwin.h"
#include "afx/Bitmap.h"
#include "afx/Edit.h"
#include "afx/ImageList.h"
#include "afx/TreeCtrl.h"
