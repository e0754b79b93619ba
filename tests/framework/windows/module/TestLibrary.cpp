// The library's resources come from Library.rc.
#include "TestLibrary.h"

// The library's own state, defined here as the framework's static part would define it: this library runs
// its load sequence itself instead of having the framework's entry.
AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState() {
    static AFX_MODULE_STATE state(TRUE, reinterpret_cast<const void*>(&AfxGetStaticModuleState));
    return &state;
}

namespace {

// The application object registers with the state current at its construction: the library's.
struct LibraryStatics {
    AFX_MODULE_STATE* pPrevState = AfxSetModuleState(AfxGetStaticModuleState());
    CWinApp app;
    LibraryStatics() { AfxSetModuleState(pPrevState); }
};
LibraryStatics g_statics;

AFX_EXTENSION_MODULE g_extension = {FALSE, nullptr, nullptr};

} // namespace

namespace testlib {

AFX_MODULE_STATE* State() {
    return AfxGetStaticModuleState();
}

CWinApp* App() {
    return &g_statics.app;
}

BOOL Load() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    HINSTANCE hInstance = AfxGetStaticModuleState()->m_hCurrentInstanceHandle;
    if (!AfxWinInit(hInstance, nullptr, const_cast<LPSTR>(""), SW_SHOW) || !AfxGetApp()->InitInstance() ||
        !AfxInitExtensionModule(g_extension, hInstance)) {
        AfxWinTerm();
        return FALSE;
    }
    new CDynLinkLibrary(g_extension);
    return TRUE;
}

void Unload() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    AfxGetApp()->ExitInstance();
    AfxWinTerm();
    AfxTermExtensionModule(g_extension);
}

HINSTANCE FindOwnResource(WORD id) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return AfxFindResourceHandle(MAKEINTRESOURCEA(id), RT_RCDATA);
}

} // namespace testlib
