// The one header a host includes: the three controls, the listener interface and the framework beneath them.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <afxole.h>
#include <afxtempl.h>

#include "CtrlListener.h"
#include "CtrlBase.h"
#include "OrnTreeCtrl.h"
#include "OrnCheckTreeCtrl.h"
#include "TalCheckBoxTreeCtrl.h"
