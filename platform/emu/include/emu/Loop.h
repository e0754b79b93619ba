// Running the message loop until there is nothing left to do.
#pragma once

#include <windows.h>

namespace emu {

// Retrieves and dispatches messages until the queue holds no posted message, no input, no due timer and
// no window needs painting. pumpOne, when given, retrieves and dispatches one message itself (a framework's
// pump with its pre-translation); otherwise GetMessage, TranslateMessage and DispatchMessage are used.
// Returns the number of messages retrieved. A WM_QUIT ends the pumping and stays retrievable.
int PumpMessages(BOOL (*pumpOne)() = nullptr);

} // namespace emu
