#include "pch.h"

#include "CatalogApp.h"
#include "CatalogDlg.h"
#include "SelfTest.h"

#ifdef _DEBUG
#define new DEBUG_NEW
#endif

BEGIN_MESSAGE_MAP(CCatalogApp, CWinApp)
END_MESSAGE_MAP()

CCatalogApp::CCatalogApp() {}

CCatalogApp theApp;

BOOL CCatalogApp::InitInstance() {
    INITCOMMONCONTROLSEX InitCtrls;
    InitCtrls.dwSize = sizeof(InitCtrls);
    InitCtrls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&InitCtrls);

    CWinApp::InitInstance();

    // The trees are OLE drop targets.
    if (!AfxOleInit()) {
        AfxMessageBox(_T("OLE initialization failed."));
        return FALSE;
    }

    CCatalogDlg dlg;
    m_pMainWnd = &dlg;
    // With --self-test the program plays its user and checks what it sees.
    CSelfTest selfTest;
    bool bSelfTest = _tcscmp(m_lpCmdLine, _T("--self-test")) == 0;
    if (bSelfTest)
        dlg.m_pSelfTest = &selfTest;
    INT_PTR nResponse = dlg.DoModal();
    if (nResponse == IDOK) {
        TRACE(traceAppMsg, 0, "Selected: %s\n", static_cast<LPCTSTR>(dlg.m_strSelection));
    } else if (nResponse == -1) {
        TRACE(traceAppMsg, 0,
              "Warning: dialog creation failed, so application is terminating unexpectedly.\n");
    }
    if (bSelfTest)
        m_nExitCode = selfTest.Finish(nResponse, dlg);

    // The dialog has been closed: return FALSE so that the application exits rather than starting its
    // message pump.
    return FALSE;
}

int CCatalogApp::ExitInstance() {
    CWinApp::ExitInstance();
    return m_nExitCode;
}
