#include "TalControlApp.h"

BEGIN_MESSAGE_MAP(CTalControlApp, CWinApp)
END_MESSAGE_MAP()

CTalControlApp::CTalControlApp() : CWinApp(NULL) {}

CTalControlApp::~CTalControlApp() {}

// The one application object; the framework's library entry makes it belong to the library's own state.
CTalControlApp theApp;

BOOL CTalControlApp::InitInstance() {
    CWinApp::InitInstance();
    return TRUE;
}
