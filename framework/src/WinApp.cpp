#include "afx/WinApp.h"

#include "afx/Exception.h"
#include "afx/MessageBox.h"
#include "WndInternal.h"

#include <ole2.h>

namespace {

// Retrieves one message and, unless pre-translation takes it, translates and dispatches it.
BOOL PumpOne(MSG& msg, CWinThread* pThread) {
    BOOL bResult = ::GetMessageA(&msg, nullptr, 0, 0);
    if (bResult == 0 || bResult == -1)
        return FALSE;
    BOOL bEaten =
        pThread != nullptr ? pThread->PreTranslateMessage(&msg) : CWnd::WalkPreTranslateTree(nullptr, &msg);
    if (!bEaten) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return TRUE;
}

// The file name of the module without directory and extension.
std::string ModuleTitle(HINSTANCE hInstance) {
    char szPath[MAX_PATH];
    DWORD nLength = ::GetModuleFileNameA(hInstance, szPath, MAX_PATH);
    std::string title(szPath, nLength);
    size_t nSlash = title.find_last_of("\\/");
    if (nSlash != std::string::npos)
        title.erase(0, nSlash + 1);
    size_t nDot = title.rfind('.');
    if (nDot != std::string::npos)
        title.erase(nDot);
    return title;
}

} // namespace

namespace afx::detail {

LRESULT ProcessWndProcException(CException* e, const MSG* pMsg) {
    if (pMsg->message == WM_CREATE)
        return -1;
    if (pMsg->message == WM_PAINT) {
        ::ValidateRect(pMsg->hwnd, nullptr);
        return 0;
    }
    char szMessage[512];
    AfxMessageBox(e->GetErrorMessage(szMessage, sizeof(szMessage)) ? szMessage
                                                                   : "Internal application error.",
                  MB_ICONERROR);
    return 0;
}

HWND MessageBoxOwner() {
    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hWnd = pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr;
    if (hWnd == nullptr || !::IsWindow(hWnd))
        hWnd = ::GetActiveWindow();
    return TopLevelWindow(hWnd);
}

MSG& PumpedMessage() {
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? pThread->m_msgCur : AfxGetThreadState()->m_msgCur;
}

} // namespace afx::detail

// CWinThread

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinThread, CCmdTarget)
END_MESSAGE_MAP()

CWinThread::CWinThread() : m_pMainWnd(nullptr), m_msgCur{}, m_ptCursorLast{-1, -1}, m_nMsgLast(0) {}

CWnd* CWinThread::GetMainWnd() {
    return m_pMainWnd;
}

BOOL CWinThread::InitInstance() {
    return FALSE;
}

int CWinThread::Run() {
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;) {
        while (bIdle && !::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
    CWnd* pMainWnd = GetMainWnd();
    return CWnd::WalkPreTranslateTree(pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr, pMsg);
}

BOOL CWinThread::PumpMessage() {
    return PumpOne(m_msgCur, this);
}

BOOL CWinThread::OnIdle(LONG) {
    AfxLockTempMaps();
    AfxUnlockTempMaps(TRUE);
    return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
    if (pMsg->message == WM_MOUSEMOVE) {
        // Repeated moves to the same place are not worth restarting idle processing.
        bool bSame =
            m_nMsgLast == WM_MOUSEMOVE && m_ptCursorLast.x == pMsg->pt.x && m_ptCursorLast.y == pMsg->pt.y;
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return !bSame;
    }
    m_nMsgLast = pMsg->message;
    return pMsg->message != WM_PAINT;
}

int CWinThread::ExitInstance() {
    return static_cast<int>(m_msgCur.wParam);
}

LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg) {
    return afx::detail::ProcessWndProcException(e, pMsg);
}

// CWinApp

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_pszAppName(nullptr), m_pszExeName(nullptr), m_hInstance(nullptr), m_lpCmdLine(nullptr),
      m_nCmdShow(SW_SHOWNORMAL), m_pModuleState(AfxGetModuleState()),
      m_bNameFromModule(lpszAppName == nullptr) {
    if (lpszAppName != nullptr) {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName.c_str();
    }
    m_pModuleState->m_pCurrentWinApp = this;
    m_hInstance = m_pModuleState->m_hCurrentInstanceHandle;
    SetCurrentHandles();
}

CWinApp::~CWinApp() {
    if (m_pModuleState->m_pCurrentWinApp == this)
        m_pModuleState->m_pCurrentWinApp = nullptr;
    if (m_pModuleState->m_lpszCurrentAppName == m_pszAppName)
        m_pModuleState->m_lpszCurrentAppName = nullptr;
}

void CWinApp::SetCurrentHandles() {
    m_strExeName = ModuleTitle(m_hInstance);
    m_pszExeName = m_strExeName.c_str();
    if (m_bNameFromModule && !m_strExeName.empty()) {
        m_strAppName = m_strExeName;
        m_pszAppName = m_strAppName.c_str();
    }
    m_pModuleState->m_lpszCurrentAppName = m_pszAppName;
}

BOOL CWinApp::InitApplication() {
    return TRUE;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT) {
    return ::MessageBoxA(afx::detail::MessageBoxOwner(), lpszPrompt, m_pszAppName, nType);
}

// Globals

CWinApp* AFXAPI AfxGetApp() {
    return AfxGetModuleState()->m_pCurrentWinApp;
}

CWinThread* AFXAPI AfxGetThread() {
    return AfxGetApp();
}

CWnd* AFXAPI AfxGetMainWnd() {
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? pThread->GetMainWnd() : nullptr;
}

BOOL AFXAPI AfxPumpMessage() {
    if (CWinThread* pThread = AfxGetThread())
        return pThread->PumpMessage();
    return PumpOne(AfxGetThreadState()->m_msgCur, nullptr);
}

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow) {
    char szPath[MAX_PATH];
    if (hInstance == nullptr || ::GetModuleFileNameA(hInstance, szPath, MAX_PATH) == 0)
        return FALSE;
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    pState->m_hCurrentInstanceHandle = hInstance;
    pState->m_hCurrentResourceHandle = hInstance;
    if (CWinApp* pApp = AfxGetApp()) {
        pApp->m_hInstance = hInstance;
        pApp->m_strCmdLine = lpCmdLine != nullptr ? lpCmdLine : "";
        pApp->m_lpCmdLine = pApp->m_strCmdLine.data();
        pApp->m_nCmdShow = nCmdShow;
        pApp->SetCurrentHandles();
    }
    return TRUE;
}

void AFXAPI AfxWinTerm() {
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    for (const std::string& name : pState->m_classesRegistered)
        ::UnregisterClassA(name.c_str(), pState->m_hCurrentInstanceHandle);
    pState->m_classesRegistered.clear();
    for (; pState->m_nOleInits > 0; --pState->m_nOleInits)
        ::OleUninitialize();
    afx::detail::RemoveCreationHook();
}

// Message boxes

int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp) {
    if (CWinApp* pApp = AfxGetApp())
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBoxA(afx::detail::MessageBoxOwner(), lpszText, AfxGetModuleState()->m_lpszCurrentAppName,
                         nType);
}
