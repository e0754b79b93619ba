// What the framework keeps per module (the executable and each shared library built on it) and per thread:
// the application object, instance and resource handles, resource libraries, and which module's state is
// current.
#pragma once

#include "CmdTarget.h"

#include <string>
#include <vector>

class CWinApp;
class CWnd;
class CDynLinkLibrary;

class AFX_MODULE_STATE {
public:
    // The state of a shared library (bDLL TRUE) is that of the module containing pAddressInModule; the
    // executable's state (bDLL FALSE) is that of the executable.
    AFX_MODULE_STATE(BOOL bDLL, const void* pAddressInModule, BOOL bSystem = FALSE);
    AFX_MODULE_STATE(const AFX_MODULE_STATE&) = delete;
    AFX_MODULE_STATE& operator=(const AFX_MODULE_STATE&) = delete;
    // Deletes the resource libraries still entered.
    ~AFX_MODULE_STATE();

    CWinApp* m_pCurrentWinApp;
    HINSTANCE m_hCurrentInstanceHandle;
    HINSTANCE m_hCurrentResourceHandle;
    LPCSTR m_lpszCurrentAppName;
    BOOL m_bDLL;
    BOOL m_bSystem;
    // Resource libraries, searched after the module's own resources, in the order they were entered.
    std::vector<CDynLinkLibrary*> m_libraryList;
    // Window classes that the framework registered for this module; AfxWinTerm unregisters them.
    std::vector<std::string> m_classesRegistered;
    // Successful AfxOleInit calls under this state; AfxWinTerm balances them.
    int m_nOleInits;
};

// The current module state of this thread (the executable's until switched).
AFX_MODULE_STATE* AFXAPI AfxGetModuleState();
// Makes pNewState current for this thread; returns the previous state.
AFX_MODULE_STATE* AFXAPI AfxSetModuleState(AFX_MODULE_STATE* pNewState);
AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState();

// A shared library's own state, which the framework's static part for libraries (TalFrameworkLibraryMain)
// defines in each library that links it. The definition stays local to its module, so every library
// reaches its own. While the library's static objects are constructed it is current, so the library's
// application object belongs to it.
#if defined(__GNUC__) && !defined(_WIN32)
#define AFX_MODULE_LOCAL __attribute__((visibility("hidden")))
#else
#define AFX_MODULE_LOCAL
#endif
AFX_MODULE_LOCAL AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState();

// Makes a module state current for the lifetime of the object.
class AFX_MAINTAIN_STATE2 {
public:
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pModuleState);
    ~AFX_MAINTAIN_STATE2();
    AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
    AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

private:
    AFX_MODULE_STATE* m_pPrevModuleState;
};
#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _ctlState(p);

HINSTANCE AFXAPI AfxGetInstanceHandle();
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
// The module that holds the resource, searched under the current module state: the module's own resources
// (unless it is a system module), the non-system resource libraries, the module's own resources (system
// module), then the system libraries. When none holds it, the current resource handle.
HINSTANCE AFXAPI AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);

struct AFX_EXTENSION_MODULE {
    BOOL bInitialized;
    HMODULE hModule;
    HMODULE hResource;
};
// Records the library's module as the source of its resources. TRUE on success.
BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Removes (deletes) the library's entries from the current module state's resource libraries; with bAll,
// every entry.
void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

// A resource library: entered into the current module state's list on construction, removed on
// destruction. Created with new; AfxTermExtensionModule deletes it.
class CDynLinkLibrary : public CCmdTarget {
    DECLARE_DYNAMIC(CDynLinkLibrary)
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
    CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource);
    ~CDynLinkLibrary() override;

    HMODULE m_hModule;
    HMODULE m_hResource;
    BOOL m_bSystem;

private:
    AFX_MODULE_STATE* m_pModuleState;
};

// What the framework keeps per thread.
struct AFX_THREAD_STATE {
    // The current module state; NULL stands for the executable's.
    AFX_MODULE_STATE* m_pModuleState;
    // The message AfxCallWndProc is processing.
    MSG m_lastSentMsg;
    // The last message pumped when no thread object is current.
    MSG m_msgCur;
    // Control notifications to this window are ignored (while its data exchange runs).
    HWND m_hLockoutNotifyWindow;
    // The object whose window is being created, until the creation hook attaches it.
    CWnd* m_pWndInit;
    HHOOK m_hHookOldCbtFilter;
    int m_nCbtHookUsers;
    int m_nTempMapLock;
    CHAR m_szClassName[96];
};
AFX_THREAD_STATE* AFXAPI AfxGetThreadState();

// Releases this thread's framework data: temporary objects and the creation hook.
void AFXAPI AfxTermThread();
