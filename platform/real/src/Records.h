// What the real platform's test-facing API records and answers, shared by its parts.
#pragma once

#include <windows.h>

namespace emu::detail {

// Puts the test-facing API between the program's modules (those loaded so far, outside the system folder)
// and TrackPopupMenu, MessageBoxA and OleInitialize, so that it sees each call and its arguments. Once.
void InstallApiHooks();
// Clears the records of menus and message boxes shown, the responders and forced results.
void ResetRecords();
// OleInitialize's answer from now on for the program's modules; S_OK leaves OleInitialize to the system.
void SetForcedOleInitializeResult(HRESULT hr);

} // namespace emu::detail
