// The emulation's test-facing API: everything a host or test needs beyond the win32 API itself.
#pragma once

#include "Input.h"
#include "Loop.h"
#include "Modal.h"
#include "Modules.h"
#include "Resources.h"
#include "Session.h"
