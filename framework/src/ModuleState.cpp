#include "afx/ModuleState.h"

#include "afx/Wnd.h"
#include "WndInternal.h"

#include <thread>

namespace {

const std::thread::id g_mainThread = std::this_thread::get_id();

thread_local AFX_THREAD_STATE* t_pThreadState = nullptr;

// Frees a thread's data when the thread ends. The main thread's stays until the process ends, because
// static objects destroyed at exit still reach it.
struct ThreadStateReaper {
    ~ThreadStateReaper() {
        if (std::this_thread::get_id() != g_mainThread) {
            delete t_pThreadState;
            t_pThreadState = nullptr;
        }
    }
};
thread_local ThreadStateReaper t_reaper;

} // namespace

AFX_THREAD_STATE* AFXAPI AfxGetThreadState() {
    // Read once: each access to a thread-local variable of a shared library is a call.
    AFX_THREAD_STATE* pState = t_pThreadState;
    if (pState == nullptr) {
        static_cast<void>(&t_reaper);
        pState = t_pThreadState = new AFX_THREAD_STATE{};
    }
    return pState;
}

void AFXAPI AfxTermThread() {
    CWnd::DeleteTempMap();
    afx::detail::RemoveCreationHook();
}

// Module states

AFX_MODULE_STATE::AFX_MODULE_STATE(BOOL bDLL, const void* pAddressInModule, BOOL bSystem)
    : m_pCurrentWinApp(nullptr), m_hCurrentInstanceHandle(nullptr), m_hCurrentResourceHandle(nullptr),
      m_lpszCurrentAppName(nullptr), m_bDLL(bDLL), m_bSystem(bSystem), m_nOleInits(0) {
    HMODULE hModule = nullptr;
    if (bDLL)
        ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                 GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                             static_cast<LPCSTR>(pAddressInModule), &hModule);
    else
        hModule = ::GetModuleHandleA(nullptr);
    m_hCurrentInstanceHandle = hModule;
    m_hCurrentResourceHandle = hModule;
}

AFX_MODULE_STATE::~AFX_MODULE_STATE() {
    while (!m_libraryList.empty())
        delete m_libraryList.back();
    AFX_THREAD_STATE* pThreadState = AfxGetThreadState();
    if (pThreadState->m_pModuleState == this)
        pThreadState->m_pModuleState = nullptr;
}

AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState() {
    // Never destroyed: static objects of the executable may use it while the program ends.
    static AFX_MODULE_STATE* const pState = new AFX_MODULE_STATE(FALSE, nullptr);
    return pState;
}

AFX_MODULE_STATE* AFXAPI AfxGetModuleState() {
    AFX_MODULE_STATE* pState = AfxGetThreadState()->m_pModuleState;
    return pState != nullptr ? pState : AfxGetAppModuleState();
}

AFX_MODULE_STATE* AFXAPI AfxSetModuleState(AFX_MODULE_STATE* pNewState) {
    AFX_MODULE_STATE* pPrevState = AfxGetModuleState();
    AfxGetThreadState()->m_pModuleState = pNewState;
    return pPrevState;
}

AFX_MAINTAIN_STATE2::AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pModuleState)
    : m_pPrevModuleState(AfxSetModuleState(pModuleState)) {}

AFX_MAINTAIN_STATE2::~AFX_MAINTAIN_STATE2() {
    AfxSetModuleState(m_pPrevModuleState);
}

// Resources

HINSTANCE AFXAPI AfxGetInstanceHandle() {
    return AfxGetModuleState()->m_hCurrentInstanceHandle;
}

HINSTANCE AFXAPI AfxGetResourceHandle() {
    return AfxGetModuleState()->m_hCurrentResourceHandle;
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource) {
    AfxGetModuleState()->m_hCurrentResourceHandle = hInstResource;
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType) {
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    auto holds = [&](HINSTANCE hModule) { return ::FindResourceA(hModule, lpszName, lpszType) != nullptr; };
    auto searchLibraries = [&](BOOL bSystem) -> HINSTANCE {
        for (CDynLinkLibrary* pLibrary : pState->m_libraryList) {
            if (pLibrary->m_bSystem == bSystem && holds(pLibrary->m_hResource))
                return pLibrary->m_hResource;
        }
        return nullptr;
    };
    if (!pState->m_bSystem && holds(pState->m_hCurrentResourceHandle))
        return pState->m_hCurrentResourceHandle;
    if (HINSTANCE hFound = searchLibraries(FALSE))
        return hFound;
    if (pState->m_bSystem && holds(pState->m_hCurrentResourceHandle))
        return pState->m_hCurrentResourceHandle;
    if (HINSTANCE hFound = searchLibraries(TRUE))
        return hFound;
    return pState->m_hCurrentResourceHandle;
}

// Resource libraries

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule) {
    if (state.bInitialized)
        return TRUE;
    char szPath[MAX_PATH];
    if (hModule == nullptr || ::GetModuleFileNameA(hModule, szPath, MAX_PATH) == 0)
        return FALSE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.bInitialized = TRUE;
    return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll) {
    if (!state.bInitialized && !bAll)
        return;
    std::vector<CDynLinkLibrary*> libraries;
    for (CDynLinkLibrary* pLibrary : AfxGetModuleState()->m_libraryList) {
        if (bAll || pLibrary->m_hModule == state.hModule)
            libraries.push_back(pLibrary);
    }
    for (CDynLinkLibrary* pLibrary : libraries)
        delete pLibrary;
    // The module's message maps go with it.
    afx::detail::ForgetWndMsgEntries();
    state.bInitialized = FALSE;
}

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CCmdTarget)

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(bSystem),
      m_pModuleState(AfxGetModuleState()) {
    m_pModuleState->m_libraryList.push_back(this);
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource)
    : m_hModule(hModule), m_hResource(hResource), m_bSystem(FALSE), m_pModuleState(AfxGetModuleState()) {
    m_pModuleState->m_libraryList.push_back(this);
}

CDynLinkLibrary::~CDynLinkLibrary() {
    std::erase(m_pModuleState->m_libraryList, this);
}
