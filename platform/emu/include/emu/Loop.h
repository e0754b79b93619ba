// Running the message loop until there is nothing left to do.
//
// Nothing in the emulation waits: time does not pass by itself, so a loop that finds its queue empty would
// wait forever. Instead, a GetMessage or WaitMessage that finds nothing to retrieve (no posted message, no
// input, no window to paint, no timer due) ends the wait as a user's cancel would:
// - if a window has the mouse capture, it loses it (ReleaseCapture, with WM_CAPTURECHANGED): WaitMessage
//   then returns, and GetMessage looks once more;
// - otherwise GetMessage returns FALSE with a WM_QUIT message (exit code 0), and WaitMessage returns after
//   posting that WM_QUIT (as PostQuitMessage(0)), so that any loop ends.
// PeekMessage never waits and never ends anything.
//
// A dialog box's own modal loop (DialogBoxParamA, DialogBoxIndirectParamA) that finds nothing left to
// retrieve once its dialog is shown ends the dialog as the user's cancel: the dialog receives the Cancel
// button's command (WM_COMMAND, IDCANCEL, BN_CLICKED) as Escape gives it, and a dialog that is still not
// ended then ends with IDCANCEL. On the real platform the same happens once the held input has run out and
// the thread's queue is empty.
#pragma once

#include <windows.h>

namespace emu {

// Retrieves and dispatches messages until the queue holds no posted message, no input, no due timer and
// no window needs painting. pumpOne, when given, retrieves and dispatches one message itself (a framework's
// pump with its pre-translation); otherwise GetMessage, TranslateMessage and DispatchMessage are used.
// Returns the number of messages retrieved. A WM_QUIT ends the pumping and stays retrievable.
int PumpMessages(BOOL (*pumpOne)() = nullptr);

} // namespace emu
