// A dialog-based application as the framework's application wizard shapes it: one global application
// object whose InitInstance runs the main dialog, and no main of its own.
#pragma once

#include "resource.h"

class CWizardApp : public CWinApp {
public:
    CWizardApp();

    BOOL InitInstance() override;
    // The exit code: the number of expectations that the run did not meet.
    int ExitInstance() override;

    DECLARE_MESSAGE_MAP()

private:
    void Expect(bool bMet, LPCTSTR lpszWhat);

    int m_nFailures = 0;
};

extern CWizardApp theApp;
