// Helpers shared by the framework's window, application and OLE sources.
#pragma once

#include "afx/Wnd.h"

class CException;

namespace afx::detail {

// The window of an object that may be NULL.
inline HWND SafeHwnd(const CWnd* pWnd) {
    return pWnd != nullptr ? pWnd->m_hWnd : nullptr;
}
// The entry for a window message in pMap's chain of maps, from the thread's memory of recent answers.
const AFX_MSGMAP_ENTRY* FindWndMsgEntry(const AFX_MSGMAP* pMap, UINT message);
// Makes every thread forget those answers: a module's message maps are going away.
void ForgetWndMsgEntries();
// The object attached to hWnd, also when the window has gone since.
CWnd* LookupPermanent(HWND hWnd);
// Removes this thread's window-creation hook.
void RemoveCreationHook();
// Attaches pWnd to the next window created on this thread, before its first message; creations nest.
void HookWindowCreate(CWnd* pWnd);
// Ends the creation that HookWindowCreate began, given the creation's result; FALSE when it failed.
BOOL EndWindowCreate(CWnd* pWnd, HWND hWndCreated);
// The message that the thread's pump retrieved last.
MSG& PumpedMessage();
// Follows parents and owners up to the top-level window.
HWND TopLevelWindow(HWND hWnd);
// The owner for a message box: the top-level window of the main window, else of the active window.
HWND MessageBoxOwner();
// What a message's processing returns when a framework exception escaped its handler.
LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);

} // namespace afx::detail
