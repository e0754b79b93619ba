// The win32 API as the library and the framework use it. On Windows the platform's own header takes its
// place.
#pragma once

#include "win32/types.h"
#include "win32/kernel.h"
#include "win32/message.h"
#include "win32/window.h"
#include "win32/input.h"
#include "win32/menu.h"
#include "win32/gdi.h"
#include "win32/font.h"
#include "win32/paint.h"
#include "win32/msgbox.h"
#include "win32/edit.h"
#include "win32/button.h"
#include "win32/static.h"
#include "win32/dialog.h"
#include "win32/icon.h"
#include "win32/accelerator.h"
#include "win32/version.h"
