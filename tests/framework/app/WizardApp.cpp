#include "pch.h"

#include "WizardApp.h"
#include "WizardDlg.h"

#include <cstdio>

#ifdef _DEBUG
#define new DEBUG_NEW
#endif

BEGIN_MESSAGE_MAP(CWizardApp, CWinApp)
END_MESSAGE_MAP()

CWizardApp::CWizardApp() {}

CWizardApp theApp;

BOOL CWizardApp::InitInstance() {
    INITCOMMONCONTROLSEX InitCtrls;
    InitCtrls.dwSize = sizeof(InitCtrls);
    InitCtrls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&InitCtrls);

    CWinApp::InitInstance();

    // The test's command line: two arguments, the second with a space in it.
    Expect(_tcscmp(m_lpCmdLine, _T("first \"second one\"")) == 0, _T("the command line after the name"));
    Expect(AfxGetApp() == this && AfxGetInstanceHandle() == ::GetModuleHandle(NULL), _T("the application"));

    CWizardDlg dlg;
    m_pMainWnd = &dlg;
    INT_PTR nResponse = dlg.DoModal();
    if (nResponse == IDOK) {
        Expect(dlg.m_strName == _T("Grace"), _T("the name typed"));
    } else if (nResponse == IDCANCEL) {
        Expect(false, _T("OK pressed"));
    } else if (nResponse == -1) {
        TRACE(traceAppMsg, 0,
              "Warning: dialog creation failed, so application is terminating unexpectedly.\n");
        Expect(false, _T("the dialog created"));
    }
    Expect(nResponse == IDOK, _T("IDOK from DoModal"));
    Expect(dlg.m_bAboutItemAdded, _T("the About item in the window menu"));
    Expect(dlg.m_bAboutShown, _T("the About box shown and closed"));
    Expect(dlg.m_hIconShown != nullptr, _T("the dialog's icon"));
    Expect(m_pMainWnd == nullptr, _T("no main window once the dialog has gone"));

    // The dialog has been closed: return FALSE so that the application exits rather than starting its
    // message pump.
    return FALSE;
}

int CWizardApp::ExitInstance() {
    CWinApp::ExitInstance();
    std::printf("%d expectation(s) not met\n", m_nFailures);
    return m_nFailures;
}

void CWizardApp::Expect(bool bMet, LPCTSTR lpszWhat) {
    if (!bMet) {
        ++m_nFailures;
        std::printf("not met: %s\n", lpszWhat);
    }
}
