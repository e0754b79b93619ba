// The precompiled header's includes, as the wizard writes them for a dialog-based program, and the library.
#pragma once

#include <tchar.h>

#include <afxwin.h>
#include <afxext.h>
#include <afxdisp.h>
#include <afxcmn.h>
#include <afxdialogex.h>

#include <TalControl.h>
