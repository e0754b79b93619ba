// The entry of a shared library built on the framework, which the platform's loader calls (DllMain): on
// load the framework is initialised for the library under its own module state, the library's application
// object is started and the library's own module entered into its state's resource libraries; on unload
// the same is undone, before the library's static objects go.
#include <afxwin.h>

#include "LibraryState.h"

#include <new>

namespace {

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
    AfxRestoreCallerModuleState();
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (!AfxWinInit(hInstance, NULL, const_cast<LPSTR>(""), SW_SHOWNORMAL)) {
        AfxWinTerm();
        return FALSE;
    }
    CWinApp* pApp = AfxGetApp();
    // A library without an application object only enters its module.
    if ((pApp != NULL && !pApp->InitInstance()) || !AfxInitExtensionModule(g_extensionModule, hInstance) ||
        !EnterOwnModule()) {
        if (pApp != NULL)
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
    if (CWinApp* pApp = AfxGetApp())
        pApp->ExitInstance();
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
