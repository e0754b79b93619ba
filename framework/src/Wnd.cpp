#include "afx/Wnd.h"

#include "afx/DataExchange.h"
#include "afx/Dc.h"
#include "afx/Exception.h"
#include "afx/ModuleState.h"
#include "afx/OleDropTarget.h"
#include "afx/WinApp.h"
#include "WndInternal.h"

#include <windowsx.h>
// The platform's message crackers name a macro like CWnd's member.
#undef SubclassWindow

#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

using HandleMap = std::unordered_map<HWND, CWnd*>;

// A thread's permanent objects by window, with the answers to recent lookups in front of the map, so that
// a window's messages find its object without hashing each time. Every change of the map goes through
// Attach and Detach, which write the handle's slot, so a slot never disagrees with the map.
class CPermanentMap {
public:
    CWnd* Lookup(HWND hWnd) {
        Recent& slot = m_recent[SlotOf(hWnd)];
        if (slot.hWnd != hWnd) {
            auto it = m_map.find(hWnd);
            slot = {hWnd, it == m_map.end() ? nullptr : it->second};
        }
        return slot.pWnd;
    }
    bool Insert(HWND hWnd, CWnd* pWnd) {
        if (!m_map.emplace(hWnd, pWnd).second)
            return false;
        m_recent[SlotOf(hWnd)] = {hWnd, pWnd};
        return true;
    }
    void Erase(HWND hWnd) {
        m_map.erase(hWnd);
        m_recent[SlotOf(hWnd)] = {hWnd, nullptr};
    }

private:
    struct Recent {
        HWND hWnd;
        CWnd* pWnd;
    };
    static constexpr unsigned kRecentBits = 4;
    static size_t SlotOf(HWND hWnd) {
        return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hWnd) * 0x9E3779B1u) >> (32 - kRecentBits);
    }

    HandleMap m_map;
    // A null handle is never looked up, so the empty slots answer nothing.
    Recent m_recent[1u << kRecentBits] = {};
};

// One permanent map per thread, shared by every module, so that a library's windows are found by the
// host's reflection. The maps live as long as the thread: objects destroyed at exit still detach.
thread_local CPermanentMap* t_pPermanentMap = nullptr;
thread_local HandleMap* t_pTemporaryMap = nullptr;

CPermanentMap& PermanentMap() {
    if (t_pPermanentMap == nullptr)
        t_pPermanentMap = new CPermanentMap;
    return *t_pPermanentMap;
}

HandleMap& TemporaryMap() {
    if (t_pTemporaryMap == nullptr)
        t_pTemporaryMap = new HandleMap;
    return *t_pTemporaryMap;
}

const char kDefaultClassName[] = "AfxWnd";

// Registers the class for the current module unless it is registered already (a reset of the platform
// may have removed it since the last use).
BOOL RegisterClassOnce(WNDCLASSA& wc) {
    WNDCLASSA existing;
    if (::GetClassInfoA(wc.hInstance, wc.lpszClassName, &existing))
        return TRUE;
    if (::RegisterClassA(&wc) == 0)
        return FALSE;
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    for (const std::string& name : pState->m_classesRegistered) {
        if (name == wc.lpszClassName)
            return TRUE;
    }
    pState->m_classesRegistered.emplace_back(wc.lpszClassName);
    return TRUE;
}

HWND ParentOrOwner(HWND hWnd) {
    if (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD)
        return ::GetParent(hWnd);
    return ::GetWindow(hWnd, GW_OWNER);
}

bool IsScrollBarWindow(HWND hWnd) {
    char szClass[16];
    return ::GetClassNameA(hWnd, szClass, sizeof(szClass)) > 0 &&
           CString(szClass).CompareNoCase("ScrollBar") == 0;
}

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (code == HCBT_CREATEWND && pState->m_pWndInit != nullptr) {
        CWnd* pWndInit = pState->m_pWndInit;
        pState->m_pWndInit = nullptr;
        // Before WM_NCCREATE, so that every message of the new window reaches the object.
        pWndInit->SubclassWindow(reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(pState->m_hHookOldCbtFilter, code, wParam, lParam);
}

CScrollBar* ScrollBarFromHandle(HWND hWnd) {
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CScrollBar)))
        return nullptr;
    return static_cast<CScrollBar*>(pWnd);
}

CPoint PointFromLParam(LPARAM lParam) {
    return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

// Calls a window message handler with its own signature and returns the message's result.
LRESULT DispatchWndMsg(CWnd* pWnd, const AFX_MSGMAP_ENTRY* lpEntry, UINT message, WPARAM wParam,
                       LPARAM lParam) {
    AFX_PMSG pfn = lpEntry->pfn;
    switch (lpEntry->nSig) {
    case AfxSig_is:
        return (pWnd->*AfxLoadHandler<int (CWnd::*)(LPCREATESTRUCT)>(pfn))(
            reinterpret_cast<LPCREATESTRUCT>(lParam));
    case AfxSig_vv:
        (pWnd->*AfxLoadHandler<void (CWnd::*)()>(pfn))();
        return 0;
    case AfxSig_wv:
        return (pWnd->*AfxLoadHandler<UINT (CWnd::*)()>(pfn))();
    case AfxSig_vwp:
        (pWnd->*AfxLoadHandler<void (CWnd::*)(UINT, CPoint)>(pfn))(static_cast<UINT>(wParam),
                                                                   PointFromLParam(lParam));
        return 0;
    case AfxSig_vwww:
        (pWnd->*AfxLoadHandler<void (CWnd::*)(UINT, UINT, UINT)>(pfn))(static_cast<UINT>(wParam),
                                                                       LOWORD(lParam), HIWORD(lParam));
        return 0;
    case AfxSig_vWp:
        (pWnd->*AfxLoadHandler<void (CWnd::*)(CWnd*, CPoint)>(pfn))(
            CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), PointFromLParam(lParam));
        return 0;
    case AfxSig_vwii:
        (pWnd->*AfxLoadHandler<void (CWnd::*)(UINT, int, int)>(pfn))(static_cast<UINT>(wParam),
                                                                     LOWORD(lParam), HIWORD(lParam));
        return 0;
    case AfxSig_vW: {
        // WM_CAPTURECHANGED names the new capture window in lParam; focus messages name theirs in wParam.
        HWND hWndOther =
            reinterpret_cast<HWND>(message == WM_CAPTURECHANGED ? static_cast<WPARAM>(lParam) : wParam);
        (pWnd->*AfxLoadHandler<void (CWnd::*)(CWnd*)>(pfn))(CWnd::FromHandle(hWndOther));
        return 0;
    }
    case AfxSig_vwwS:
        (pWnd->*AfxLoadHandler<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(
            LOWORD(wParam), HIWORD(wParam), ScrollBarFromHandle(reinterpret_cast<HWND>(lParam)));
        return 0;
    case AfxSig_vw_ptr:
        (pWnd->*AfxLoadHandler<void (CWnd::*)(UINT_PTR)>(pfn))(static_cast<UINT_PTR>(wParam));
        return 0;
    case AfxSig_lwl:
        return (pWnd->*AfxLoadHandler<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
    case AfxSig_vwl:
        (pWnd->*AfxLoadHandler<void (CWnd::*)(UINT, LPARAM)>(pfn))(static_cast<UINT>(wParam), lParam);
        return 0;
    case AfxSig_hv:
        return reinterpret_cast<LRESULT>((pWnd->*AfxLoadHandler<HCURSOR (CWnd::*)()>(pfn))());
    case AfxSig_bD:
        return (pWnd->*AfxLoadHandler<BOOL (CWnd::*)(CDC*)>(pfn))(
            CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    case AfxSig_vbw:
        (pWnd->*AfxLoadHandler<void (CWnd::*)(BOOL, UINT)>(pfn))(static_cast<BOOL>(wParam),
                                                                 static_cast<UINT>(lParam));
        return 0;
    case AfxSig_hDWw:
        // WM_CTLCOLORxxx, numbered in the order of the CTLCOLOR_xxx kinds.
        return reinterpret_cast<LRESULT>((pWnd->*AfxLoadHandler<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pfn))(
            CDC::FromHandle(reinterpret_cast<HDC>(wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)),
            message - WM_CTLCOLORMSGBOX));
    default:
        return 0;
    }
}

} // namespace

namespace afx::detail {

CWnd* LookupPermanent(HWND hWnd) {
    CPermanentMap* pMap = t_pPermanentMap;
    return hWnd != nullptr && pMap != nullptr ? pMap->Lookup(hWnd) : nullptr;
}

void RemoveCreationHook() {
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_hHookOldCbtFilter != nullptr)
        ::UnhookWindowsHookEx(pState->m_hHookOldCbtFilter);
    pState->m_hHookOldCbtFilter = nullptr;
    pState->m_nCbtHookUsers = 0;
    pState->m_pWndInit = nullptr;
}

// The hook stays installed while any creation on this thread is in progress (creations nest when a
// window creates children in its WM_CREATE).
void HookWindowCreate(CWnd* pWnd) {
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_nCbtHookUsers++ == 0)
        pState->m_hHookOldCbtFilter =
            ::SetWindowsHookExA(WH_CBT, &CbtFilterHook, nullptr, ::GetCurrentThreadId());
    pState->m_pWndInit = pWnd;
}

// FALSE when the hook never saw the window (creation failed before it existed).
BOOL UnhookWindowCreate() {
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    BOOL bAttached = pState->m_pWndInit == nullptr;
    pState->m_pWndInit = nullptr;
    if (pState->m_nCbtHookUsers > 0 && --pState->m_nCbtHookUsers == 0)
        RemoveCreationHook();
    return bAttached;
}

BOOL EndWindowCreate(CWnd* pWnd, HWND hWndCreated) {
    if (!UnhookWindowCreate())
        pWnd->PostNcDestroy();
    if (hWndCreated == nullptr) {
        // A window that failed after the hook attached it and was gone before WM_NCDESTROY reached us.
        if (pWnd->m_hWnd != nullptr && LookupPermanent(pWnd->m_hWnd) == pWnd)
            pWnd->Detach();
        return FALSE;
    }
    return TRUE;
}

HWND TopLevelWindow(HWND hWnd) {
    for (HWND hWndNext; hWnd != nullptr && (hWndNext = ParentOrOwner(hWnd)) != nullptr;)
        hWnd = hWndNext;
    return hWnd;
}

} // namespace afx::detail

// Window procedure and the thread's current message

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = afx::detail::LookupPermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

WNDPROC AFXAPI AfxGetAfxWndProc() {
    return &AfxWndProc;
}

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    MSG oldState = pState->m_lastSentMsg;
    pState->m_lastSentMsg.hwnd = hWnd;
    pState->m_lastSentMsg.message = nMsg;
    pState->m_lastSentMsg.wParam = wParam;
    pState->m_lastSentMsg.lParam = lParam;
    LRESULT lResult;
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (CException* e) {
        CWinThread* pThread = AfxGetThread();
        lResult = pThread != nullptr ? pThread->ProcessWndProcException(e, &pState->m_lastSentMsg)
                                     : afx::detail::ProcessWndProcException(e, &pState->m_lastSentMsg);
        e->Delete();
    }
    pState->m_lastSentMsg = oldState;
    return lResult;
}

LPCSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    HINSTANCE hInst = AfxGetInstanceHandle();
    std::snprintf(pState->m_szClassName, sizeof(pState->m_szClassName), "Afx:%p:%x:%p:%p:%p",
                  static_cast<void*>(hInst), nClassStyle, static_cast<void*>(hCursor),
                  static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    WNDCLASSA wc{};
    wc.style = nClassStyle;
    wc.lpfnWndProc = &::DefWindowProcA;
    wc.hInstance = hInst;
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = pState->m_szClassName;
    return RegisterClassOnce(wc) ? pState->m_szClassName : nullptr;
}

void AFXAPI AfxLockTempMaps() {
    ++AfxGetThreadState()->m_nTempMapLock;
}

BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps) {
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_nTempMapLock > 0)
        --pState->m_nTempMapLock;
    if (pState->m_nTempMapLock != 0 || !bDeleteTemps)
        return FALSE;
    CWnd::DeleteTempMap();
    return TRUE;
}

// CWnd

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_NCDESTROY()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
END_MESSAGE_MAP()

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd()
    : m_hWnd(nullptr), m_pfnSuper(nullptr), m_pDropTarget(nullptr), m_nModalResult(-1),
      m_bContinueModal(FALSE), m_hWndOwner(nullptr), m_bInModalLoop(FALSE) {}

CWnd::CWnd(HWND hWnd)
    : m_hWnd(hWnd), m_pfnSuper(nullptr), m_pDropTarget(nullptr), m_nModalResult(-1), m_bContinueModal(FALSE),
      m_hWndOwner(nullptr), m_bInModalLoop(FALSE) {}

CWnd::~CWnd() {
    if (m_hWnd != nullptr && afx::detail::LookupPermanent(m_hWnd) == this)
        DestroyWindow();
}

HWND CWnd::GetSafeHwnd() const {
    // Read through a volatile copy: callers may hold a NULL object pointer, as the framework allows.
    const CWnd* volatile pSelf = this;
    return pSelf == nullptr ? nullptr : pSelf->m_hWnd;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd) {
    if (hWnd == nullptr)
        return nullptr;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    if (!::IsWindow(hWnd))
        return nullptr;
    HandleMap& temps = TemporaryMap();
    auto it = temps.find(hWnd);
    if (it != temps.end())
        return it->second;
    CWnd* pTemp = IsScrollBarWindow(hWnd) ? new CScrollBar : new CWnd;
    pTemp->m_hWnd = hWnd;
    temps.emplace(hWnd, pTemp);
    return pTemp;
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd) {
    CWnd* pWnd = afx::detail::LookupPermanent(hWnd);
    return pWnd != nullptr && ::IsWindow(hWnd) ? pWnd : nullptr;
}

void PASCAL CWnd::DeleteTempMap() {
    if (t_pTemporaryMap == nullptr)
        return;
    HandleMap temps;
    temps.swap(*t_pTemporaryMap);
    for (auto& entry : temps) {
        entry.second->m_hWnd = nullptr;
        delete entry.second;
    }
}

BOOL CWnd::Attach(HWND hWndNew) {
    if (hWndNew == nullptr || m_hWnd != nullptr || !::IsWindow(hWndNew))
        return FALSE;
    if (!PermanentMap().Insert(hWndNew, this))
        return FALSE;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr && afx::detail::LookupPermanent(hWnd) == this)
        t_pPermanentMap->Erase(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    auto oldProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    m_pfnSuper = oldProc != &AfxWndProc ? oldProc : nullptr;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    HWND hWndControl = ::GetDlgItem(afx::detail::SafeHwnd(pParent), static_cast<int>(nID));
    if (hWndControl == nullptr)
        return FALSE;
    return SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow() {
    if (m_hWnd == nullptr)
        return nullptr;
    if (m_pfnSuper != nullptr)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID) {
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, afx::detail::SafeHwnd(pParentWnd),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
    if (m_hWnd != nullptr)
        return FALSE;
    CREATESTRUCTA cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    afx::detail::HookWindowCreate(this);
    HWND hWnd =
        ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                          cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    return afx::detail::EndWindowCreate(this, hWnd);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass != nullptr)
        return TRUE;
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &::DefWindowProcA;
    wc.hInstance = cs.hInstance;
    wc.lpszClassName = kDefaultClassName;
    if (!RegisterClassOnce(wc))
        return FALSE;
    cs.lpszClass = kDefaultClassName;
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    HWND hWndOrig = m_hWnd;
    if (hWndOrig == nullptr)
        return FALSE;
    bool bPermanent = afx::detail::LookupPermanent(hWndOrig) == this;
    BOOL bResult = ::DestroyWindow(hWndOrig);
    // WM_NCDESTROY detaches objects whose messages come through AfxWndProc (and may delete them); one that
    // was attached without subclassing is still mapped and is detached here.
    if (bPermanent && !::IsWindow(hWndOrig) && afx::detail::LookupPermanent(hWndOrig) == this)
        Detach();
    return bResult;
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

// Styles

DWORD CWnd::GetStyle() const {
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE));
}

DWORD CWnd::GetExStyle() const {
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE));
}

namespace {

BOOL ModifyStyleBits(HWND hWnd, int nStyleOffset, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    if (!::IsWindow(hWnd))
        return FALSE;
    DWORD dwStyle = static_cast<DWORD>(::GetWindowLongA(hWnd, nStyleOffset));
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongA(hWnd, nStyleOffset, static_cast<LONG>(dwNewStyle));
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

} // namespace

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyStyleBits(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyStyleBits(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyStyleBits(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyStyleBits(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

// Relatives

CWnd* CWnd::GetParent() const {
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::SetParent(CWnd* pWndNewParent) {
    return FromHandle(::SetParent(m_hWnd, afx::detail::SafeHwnd(pWndNewParent)));
}

CWnd* CWnd::GetParentOwner() const {
    HWND hWnd = m_hWnd;
    for (HWND hWndParent;
         (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) && (hWndParent = ::GetParent(hWnd)) != nullptr;)
        hWnd = hWndParent;
    return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelParent() const {
    return FromHandle(afx::detail::TopLevelWindow(m_hWnd));
}

CWnd* CWnd::GetOwner() const {
    return m_hWndOwner != nullptr ? FromHandle(m_hWndOwner) : GetParent();
}

void CWnd::SetOwner(CWnd* pOwnerWnd) {
    m_hWndOwner = afx::detail::SafeHwnd(pOwnerWnd);
}

CWnd* CWnd::GetDlgItem(int nID) const {
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

int CWnd::GetDlgCtrlID() const {
    return ::GetDlgCtrlID(m_hWnd);
}

int CWnd::SetDlgCtrlID(int nID) {
    return static_cast<int>(::SetWindowLongA(m_hWnd, GWL_ID, nID));
}

// Geometry

void CWnd::GetClientRect(LPRECT lpRect) const {
    ::GetClientRect(m_hWnd, lpRect);
}

void CWnd::GetWindowRect(LPRECT lpRect) const {
    ::GetWindowRect(m_hWnd, lpRect);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const {
    ::ClientToScreen(m_hWnd, lpPoint);
}

void CWnd::ClientToScreen(LPRECT lpRect) const {
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->left));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const {
    ::ScreenToClient(m_hWnd, lpPoint);
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint) {
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
               bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    return ::SetWindowPos(m_hWnd, pWndInsertAfter != nullptr ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx,
                          cy, nFlags);
}

// State, painting, focus and capture

BOOL CWnd::ShowWindow(int nCmdShow) {
    return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::IsIconic() const {
    return (GetStyle() & WS_MINIMIZE) != 0;
}

BOOL CWnd::IsZoomed() const {
    return (GetStyle() & WS_MAXIMIZE) != 0;
}

BOOL CWnd::IsWindowVisible() const {
    return ::IsWindowVisible(m_hWnd);
}

BOOL CWnd::EnableWindow(BOOL bEnable) {
    return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd);
}

void CWnd::Invalidate(BOOL bErase) {
    ::InvalidateRect(m_hWnd, nullptr, bErase);
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) {
    ::InvalidateRect(m_hWnd, lpRect, bErase);
}

void CWnd::UpdateWindow() {
    ::UpdateWindow(m_hWnd);
}

CWnd* CWnd::SetFocus() {
    return FromHandle(::SetFocus(m_hWnd));
}

CWnd* PASCAL CWnd::GetFocus() {
    return FromHandle(::GetFocus());
}

CWnd* CWnd::SetCapture() {
    return FromHandle(::SetCapture(m_hWnd));
}

CWnd* PASCAL CWnd::GetCapture() {
    return FromHandle(::GetCapture());
}

// Text

void CWnd::SetWindowText(LPCSTR lpszString) {
    ::SetWindowTextA(m_hWnd, lpszString);
}

void CWnd::GetWindowText(CString& rString) const {
    int nLength = ::GetWindowTextLengthA(m_hWnd);
    std::vector<char> buffer(static_cast<size_t>(nLength) + 1, '\0');
    ::GetWindowTextA(m_hWnd, buffer.data(), nLength + 1);
    rString = buffer.data();
}

int CWnd::GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const {
    return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
}

int CWnd::GetWindowTextLength() const {
    return ::GetWindowTextLengthA(m_hWnd);
}

// Messages and timers

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer) {
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) {
    return ::KillTimer(m_hWnd, nIDEvent);
}

// Data exchange

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    HWND hWndOldLockout = pState->m_hLockoutNotifyWindow;
    pState->m_hLockoutNotifyWindow = m_hWnd;
    BOOL bOK = FALSE;
    try {
        DoDataExchange(&dx);
        bOK = TRUE;
    } catch (CException* e) {
        e->Delete();
    }
    pState->m_hLockoutNotifyWindow = hWndOldLockout;
    return bOK;
}

void CWnd::DoDataExchange(CDataExchange*) {}

// Message processing

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        lResult = 1;
    } else if (message == WM_NOTIFY) {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (pNMHDR == nullptr || pNMHDR->hwndFrom == nullptr || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
    } else {
        const AFX_MSGMAP_ENTRY* lpEntry = afx::detail::FindWndMsgEntry(GetMessageMap(), message);
        if (lpEntry == nullptr)
            return FALSE;
        lResult =
            lpEntry->nMessage == AFX_REGISTERED_MESSAGE_BASE
                ? (this->*AfxLoadHandler<LRESULT (CWnd::*)(WPARAM, LPARAM)>(lpEntry->pfn))(wParam, lParam)
                : DispatchWndMsg(this, lpEntry, message, wParam, lParam);
    }
    if (pResult != nullptr)
        *pResult = lResult;
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* PASCAL CWnd::GetCurrentMessage() {
    MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    msg.time = static_cast<DWORD>(::GetMessageTime());
    DWORD dwPos = ::GetMessagePos();
    msg.pt.x = GET_X_LPARAM(dwPos);
    msg.pt.y = GET_Y_LPARAM(dwPos);
    return &msg;
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = afx::detail::LookupPermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT nID = LOWORD(wParam);
    auto hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl == nullptr) {
        // Menus and accelerators alike.
        nCode = CN_COMMAND;
    } else {
        if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
            return TRUE;
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
        return TRUE;
    if (ReflectLastMsg(pNMHDR->hwndFrom, pResult))
        return TRUE;
    AFX_NOTIFY notify;
    notify.pResult = pResult;
    notify.pNMHDR = pNMHDR;
    return OnCmdMsg(static_cast<UINT>(pNMHDR->idFrom), MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, nullptr);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    if (pWnd == nullptr)
        return FALSE;
    return pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
    const MSG msg = AfxGetThreadState()->m_lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    switch (message) {
    case WM_COMMAND:
        if (CCmdTarget::OnCmdMsg(0, MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND), nullptr,
                                 nullptr)) {
            if (pResult != nullptr)
                *pResult = 1;
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY: {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        LRESULT lUnused = 0;
        AFX_NOTIFY notify;
        notify.pResult = pResult != nullptr ? pResult : &lUnused;
        notify.pNMHDR = pNMHDR;
        return CCmdTarget::OnCmdMsg(0, MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, nullptr);
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    default:
        return FALSE;
    }
}

// Default handlers

int CWnd::OnCreate(LPCREATESTRUCT) {
    return static_cast<int>(Default());
}

void CWnd::OnDestroy() {
    Default();
}

void CWnd::OnNcDestroy() {
    if (m_pDropTarget != nullptr) {
        COleDropTarget* pDropTarget = m_pDropTarget;
        m_pDropTarget = nullptr;
        pDropTarget->Revoke();
    }
    Default();
    // Late messages must not reach an object that is no longer attached.
    if (m_pfnSuper != nullptr &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC)) == &AfxWndProc)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    // The application ends when its main window goes.
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr && pThread->m_pMainWnd == this) {
        pThread->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    Detach();
    PostNcDestroy();
}

void CWnd::OnClose() {
    Default();
}

void CWnd::OnPaint() {
    Default();
}

UINT CWnd::OnGetDlgCode() {
    return static_cast<UINT>(Default());
}

void CWnd::OnMouseMove(UINT, CPoint) {
    Default();
}

void CWnd::OnLButtonDown(UINT, CPoint) {
    Default();
}

void CWnd::OnLButtonUp(UINT, CPoint) {
    Default();
}

void CWnd::OnLButtonDblClk(UINT, CPoint) {
    Default();
}

void CWnd::OnRButtonDown(UINT, CPoint) {
    Default();
}

void CWnd::OnRButtonUp(UINT, CPoint) {
    Default();
}

void CWnd::OnRButtonDblClk(UINT, CPoint) {
    Default();
}

void CWnd::OnKeyDown(UINT, UINT, UINT) {
    Default();
}

void CWnd::OnKeyUp(UINT, UINT, UINT) {
    Default();
}

void CWnd::OnChar(UINT, UINT, UINT) {
    Default();
}

void CWnd::OnContextMenu(CWnd*, CPoint) {
    Default();
}

void CWnd::OnSize(UINT, int, int) {
    Default();
}

void CWnd::OnTimer(UINT_PTR) {
    Default();
}

void CWnd::OnSetFocus(CWnd*) {
    Default();
}

void CWnd::OnKillFocus(CWnd*) {
    Default();
}

void CWnd::OnCaptureChanged(CWnd*) {
    Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar) {
    if (pScrollBar != nullptr && pScrollBar->SendChildNotifyLastMsg())
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar) {
    if (pScrollBar != nullptr && pScrollBar->SendChildNotifyLastMsg())
        return;
    Default();
}

void CWnd::OnSysCommand(UINT, LPARAM) {
    Default();
}

HCURSOR CWnd::OnQueryDragIcon() {
    return reinterpret_cast<HCURSOR>(Default());
}

BOOL CWnd::OnEraseBkgnd(CDC*) {
    return static_cast<BOOL>(Default());
}

void CWnd::OnShowWindow(BOOL, UINT) {
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) {
    return reinterpret_cast<HBRUSH>(Default());
}

// CScrollBar

IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

CScrollBar::CScrollBar() = default;

int CScrollBar::GetScrollPos() const {
    return ::GetScrollPos(m_hWnd, SB_CTL);
}

int CScrollBar::SetScrollPos(int nPos, BOOL bRedraw) {
    return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw);
}

void CScrollBar::GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const {
    ::GetScrollRange(m_hWnd, SB_CTL, lpMinPos, lpMaxPos);
}

void CScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw) {
    ::SetScrollRange(m_hWnd, SB_CTL, nMinPos, nMaxPos, bRedraw);
}
