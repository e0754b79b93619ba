// Process-wide settings of the emulation, and the reset between independent runs (for example tests).
#pragma once

#include <windows.h>

namespace emu {

// Destroys every window, and clears the queue, input state, timers, hooks, captured focus, menus,
// responders and records, registered window classes other than the system's, and OLE state. Resources of
// modules stay.
void Reset();

// The system ANSI code page (1252 unless set).
void SetSystemCodePage(UINT codePage);

// Makes OleInitialize answer hr (a failure code) from now on; S_OK restores normal behaviour.
void SetOleInitializeResult(HRESULT hr);

} // namespace emu
