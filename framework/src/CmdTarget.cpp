#include "afx/CmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

// The root of every message map chain.
const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {
        {0, 0, 0, 0, AfxSig_end, static_cast<AFX_PMSG>(nullptr)}};
    static const AFX_MSGMAP messageMap = {nullptr, &_messageEntries[0]};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

CCmdTarget::CCmdTarget() : m_dwRef(1) {}

const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode,
                                                   UINT nID) {
    for (; lpEntry->nSig != AfxSig_end; ++lpEntry) {
        if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode && nID >= lpEntry->nID &&
            nID <= lpEntry->nLastID)
            return lpEntry;
    }
    return nullptr;
}

namespace {

// Calls a command or notification handler with its own signature; the result says whether it handled it.
BOOL DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, AFX_PMSG pfn, void* pExtra, UINT_PTR nSig) {
    auto* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
    switch (nSig) {
    case AfxSigCmd_v:
        (pTarget->*pfn)();
        return TRUE;
    case AfxSigCmd_b:
        return (pTarget->*AfxLoadHandler<BOOL (CCmdTarget::*)()>(pfn))();
    case AfxSigCmd_RANGE:
        (pTarget->*AfxLoadHandler<void (CCmdTarget::*)(UINT)>(pfn))(nID);
        return TRUE;
    case AfxSigCmd_EX:
        return (pTarget->*AfxLoadHandler<BOOL (CCmdTarget::*)(UINT)>(pfn))(nID);
    case AfxSigNotify_v:
        (pTarget->*AfxLoadHandler<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR,
                                                                                pNotify->pResult);
        return TRUE;
    case AfxSigNotify_b:
        return (pTarget->*AfxLoadHandler<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR,
                                                                                       pNotify->pResult);
    case AfxSigNotify_RANGE:
        (pTarget->*AfxLoadHandler<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, pNotify->pNMHDR,
                                                                                      pNotify->pResult);
        return TRUE;
    case AfxSigNotify_EX:
        return (pTarget->*AfxLoadHandler<BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(
            nID, pNotify->pNMHDR, pNotify->pResult);
    default:
        return FALSE;
    }
}

bool IsNotifySig(UINT_PTR nSig) {
    return nSig == AfxSigNotify_v || nSig == AfxSigNotify_b || nSig == AfxSigNotify_RANGE ||
           nSig == AfxSigNotify_EX;
}

} // namespace

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    UINT nMsg = HIWORD(nCode);
    UINT nCodeLow = LOWORD(nCode);
    if (nMsg == 0)
        nMsg = WM_COMMAND;

    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
        const AFX_MSGMAP_ENTRY* lpEntry = AfxFindMessageEntry(pMap->lpEntries, nMsg, nCodeLow, nID);
        if (lpEntry == nullptr)
            continue;
        if (pHandlerInfo != nullptr) {
            pHandlerInfo->pTarget = this;
            pHandlerInfo->pmf = lpEntry->pfn;
            return TRUE;
        }
        // A notification handler needs its header and result slot.
        if (IsNotifySig(lpEntry->nSig) && pExtra == nullptr)
            return FALSE;
        return DispatchCmdMsg(this, nID, lpEntry->pfn, pExtra, lpEntry->nSig);
    }
    return FALSE;
}

DWORD CCmdTarget::InternalAddRef() {
    return static_cast<DWORD>(++m_dwRef);
}

DWORD CCmdTarget::InternalRelease() {
    if (m_dwRef == 0)
        return 0;
    LONG lResult = --m_dwRef;
    if (lResult == 0)
        OnFinalRelease();
    return static_cast<DWORD>(lResult);
}

void CCmdTarget::OnFinalRelease() {
    delete this;
}
