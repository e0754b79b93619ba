// The framework's common controls of the later control library, over the common controls that are
// offered (afxcmn.h); the date and time picker and the month calendar are not.
#pragma once

#include "afxcmn.h"
