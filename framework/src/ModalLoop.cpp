// The framework's own modal loop: messages go through the thread's pump, so that PreTranslateMessage sees
// them as in the application's main loop.
#include "afx/Wnd.h"

#include "afx/WinApp.h"
#include "WndInternal.h"

namespace {

BOOL IsIdleMessage(MSG* pMsg) {
    if (CWinThread* pThread = AfxGetThread())
        return pThread->IsIdleMessage(pMsg);
    return pMsg->message != WM_PAINT;
}

} // namespace

int CWnd::RunModalLoop(DWORD dwFlags) {
    if (m_bInModalLoop)
        return -1;
    m_bInModalLoop = TRUE;
    m_bContinueModal = TRUE;
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hWndParent = ::GetParent(m_hWnd);
    MSG& msg = afx::detail::PumpedMessage();
    bool bQuit = false;
    while (ContinueModal()) {
        while (bIdle && ContinueModal() && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (bShowIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != nullptr && lIdleCount == 0)
                ::SendMessageA(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(m_hWnd));
            if ((dwFlags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = FALSE;
        }
        if (!ContinueModal())
            break;
        if (!AfxPumpMessage()) {
            bQuit = true;
            break;
        }
        if (IsIdleMessage(&msg)) {
            bIdle = TRUE;
            lIdleCount = 0;
        }
    }
    m_bInModalLoop = FALSE;
    m_bContinueModal = FALSE;
    if (bQuit) {
        // The loops outside this one end too.
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return -1;
    }
    return m_nModalResult;
}

BOOL CWnd::ContinueModal() {
    return m_bContinueModal;
}

void CWnd::EndModalLoop(int nResult) {
    m_nModalResult = nResult;
    m_bContinueModal = FALSE;
}
