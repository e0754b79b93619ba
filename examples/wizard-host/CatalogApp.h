// A dialog-based program as the framework's application wizard shapes it, hosting the library's tree: one
// global application object whose InitInstance runs the main dialog, and no main of its own.
#pragma once

#include "resource.h"

class CCatalogApp : public CWinApp {
public:
    CCatalogApp();

    BOOL InitInstance() override;
    // The program's exit code: with --self-test, the number of the check's expectations not met.
    int ExitInstance() override;

    DECLARE_MESSAGE_MAP()

private:
    int m_nExitCode = 0;
};

extern CCatalogApp theApp;
