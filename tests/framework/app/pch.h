// The precompiled header's includes, as the wizard writes them.
#pragma once

#include <tchar.h>

#include <afxwin.h>
#include <afxext.h>
#include <afxdisp.h>
#include <afxdtctl.h>
#include <afxcmn.h>
#include <afxcontrolbars.h>
#include <afxdialogex.h>
