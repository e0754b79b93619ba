// Process-wide settings and the reset between tests, on the real platform.
#include "Clock.h"
#include "Records.h"

#include <emu/Session.h>

#include <ole2.h>

#include <vector>

namespace {

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lParam) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
    return TRUE;
}

} // namespace

namespace emu {

void Reset() {
    detail::InstallApiHooks();
    // Wine's input method support gives every thread that shows a window a COM apartment, so that
    // RegisterDragDrop succeeds without OleInitialize and the library never initialises OLE itself, as it
    // does on Windows; but Wine's DoDragDrop needs OleInitialize. OLE is initialised once here instead.
    static const HRESULT oleInitialized = OleInitialize(nullptr);
    (void)oleInitialized;
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND hwnd : windows)
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
    ReleaseCapture();
    detail::ResetInput();
    // Whatever the windows and the input left in the queue goes unread.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    detail::ResetRecords();
}

// The real platform's ANSI code page is the system's; it cannot change while a program runs.
void SetSystemCodePage(UINT) {}

void SetOleInitializeResult(HRESULT hr) {
    detail::SetForcedOleInitializeResult(hr);
}

} // namespace emu
