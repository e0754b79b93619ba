#include "TalControlApp.h"

BEGIN_MESSAGE_MAP(CTalControlApp, CWinApp)
END_MESSAGE_MAP()

CTalControlApp::CTalControlApp() : CWinApp(NULL) {}

CTalControlApp::~CTalControlApp() {}

BOOL CTalControlApp::InitInstance() {
    CWinApp::InitInstance();
    return TRUE;
}
