// The framework's OLE support.
#pragma once

#include <ole2.h>

#include "afxwin.h"
#include "afx/OleDropTarget.h"
#include "afx/OleDataSource.h"
