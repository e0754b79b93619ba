// The library's entry, called by the platform's loader: on load the framework is initialised for the library,
// its application object started and its own module entered into its own state's resource libraries; on
// unload the same is undone before the static objects go. Linked last, so that its static objects are
// constructed after every other one of the library and destroyed before them.
#include <afxwin.h>

#include "TalControlApp.h"

#ifndef _WIN32
#include <emu/Modules.h>
#endif

#include <new>

namespace {

// A CWinApp belongs to the module state current while it is constructed: the library's, for this one.
struct CApplication {
    AFX_MODULE_STATE* m_pCallerState = AfxSetModuleState(AfxGetStaticModuleState());
    CTalControlApp m_app;
    CApplication() { AfxSetModuleState(m_pCallerState); }
};
CApplication theApp;

AFX_EXTENSION_MODULE g_extensionModule = {FALSE, NULL, NULL};
// Set once the load sequence has succeeded: only then has the unload sequence something to undo.
bool g_bAttached = false;

bool EnterOwnModule() {
    try {
        new CDynLinkLibrary(g_extensionModule);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

BOOL Attach(HINSTANCE hInstance) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (!AfxWinInit(hInstance, NULL, const_cast<LPSTR>(""), SW_SHOWNORMAL)) {
        AfxWinTerm();
        return FALSE;
    }
    CWinApp* pApp = AfxGetApp();
    if (!pApp->InitInstance() || !AfxInitExtensionModule(g_extensionModule, hInstance) || !EnterOwnModule()) {
        pApp->ExitInstance();
        AfxWinTerm();
        AfxTermExtensionModule(g_extensionModule);
        return FALSE;
    }
    g_bAttached = true;
    return TRUE;
}

void Detach() {
    if (!g_bAttached)
        return;
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    AfxGetApp()->ExitInstance();
    AfxWinTerm();
    AfxTermExtensionModule(g_extensionModule);
    g_bAttached = false;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
    switch (dwReason) {
    case DLL_PROCESS_ATTACH:
        return Attach(hInstance);
    case DLL_THREAD_DETACH: {
        AFX_MANAGE_STATE(AfxGetStaticModuleState());
        AfxTermThread();
        return TRUE;
    }
    case DLL_PROCESS_DETACH:
        Detach();
        return TRUE;
    default:
        return TRUE;
    }
}

#ifndef _WIN32
EMU_MODULE_ENTRY(DllMain);
#endif
