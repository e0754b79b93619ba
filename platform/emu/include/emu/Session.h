// Process-wide settings of the emulation, and the reset between independent runs (for example tests).
#pragma once

#include <windows.h>

namespace emu {

// Destroys every window (with their WM_DESTROY and WM_NCDESTROY, after removing all hooks), and clears the
// queue, input and key state (the cursor goes back to 0, 0), timers, captured focus, menus, responders and
// records, registered window classes other than the emulation's own, and OLE state. Resources of modules
// stay, and virtual time goes on from where it was, so that handles and times never repeat.
void Reset();

// The system ANSI code page (1252 unless set).
void SetSystemCodePage(UINT codePage);

// Makes OleInitialize answer hr (a failure code) from now on; S_OK restores normal behaviour.
void SetOleInitializeResult(HRESULT hr);

} // namespace emu
