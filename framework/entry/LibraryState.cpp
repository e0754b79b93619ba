// A shared library's own module state, distinct from its host's: its resource handle is the library's
// module, so a resource search made while it is current looks in the library's resources first.
#include <afxwin.h>

#include "LibraryState.h"

AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState() {
    static AFX_MODULE_STATE state(TRUE, reinterpret_cast<const void*>(&AfxGetStaticModuleState));
    return &state;
}

namespace {

// The library's state is current while its static objects are constructed, so that its application
// object belongs to it; constructed before every other static object of the library.
struct CConstructionState {
    AFX_MODULE_STATE* m_pCallerState = AfxSetModuleState(AfxGetStaticModuleState());
    bool m_bRestored = false;
};
__attribute__((init_priority(101))) CConstructionState g_constructionState;

} // namespace

void AfxRestoreCallerModuleState() {
    if (g_constructionState.m_bRestored)
        return;
    AfxSetModuleState(g_constructionState.m_pCallerState);
    g_constructionState.m_bRestored = true;
}
