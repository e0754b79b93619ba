// The base of every object that receives commands and notifications through a message map, and of the
// framework's COM objects (which share its reference count).
#pragma once

#include "Object.h"
#include "MessageMap.h"

// Filled by OnCmdMsg, instead of calling the handler, when a caller only asks who would handle a command.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();

    // Routes a command or notification to this object's map. LOWORD(nCode) is the notification code,
    // HIWORD(nCode) the message (0 standing for WM_COMMAND); pExtra points to an AFX_NOTIFY for WM_NOTIFY.
    // TRUE when a handler took it.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // COM reference counting: the object holds one reference itself, from construction on.
    DWORD InternalAddRef();
    DWORD InternalRelease();
    // Runs when the last reference is released; deletes the object.
    virtual void OnFinalRelease();

    LONG m_dwRef;

    DECLARE_MESSAGE_MAP()
};

// The entry of a map's own table (not its bases') for the message, code and ID, or NULL.
const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode,
                                                   UINT nID);
