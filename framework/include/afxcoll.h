// The framework's non-template collections.
#pragma once

#include "afxwin.h"
#include "afx/StringArray.h"
