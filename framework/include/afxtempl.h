// The framework's collection templates.
#pragma once

#include "afxwin.h"
#include "afx/Array.h"
