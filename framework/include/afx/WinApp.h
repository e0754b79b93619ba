// The application and its user-interface thread: initialisation, the message pump and idle processing.
#pragma once

#include "Wnd.h"
#include "ModuleState.h"

class CException;

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();

    CWnd* m_pMainWnd;
    // The message being pumped.
    MSG m_msgCur;

    virtual CWnd* GetMainWnd();
    virtual BOOL InitInstance();
    // Pumps messages, with idle processing whenever the queue is empty, until WM_QUIT; then ExitInstance.
    virtual int Run();
    // Gives the windows from pMsg->hwnd up to the main window a chance to handle the message first.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Retrieves one message and, unless PreTranslateMessage takes it, translates and dispatches it. FALSE
    // on WM_QUIT.
    virtual BOOL PumpMessage();
    // Idle work (freeing temporary objects from lCount 1 on); TRUE asks for more idle calls.
    virtual BOOL OnIdle(LONG lCount);
    // FALSE for messages after which idle processing is not worth restarting.
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // Returns the exit code (the WM_QUIT code).
    virtual int ExitInstance();
    // A framework exception escaped a message handler: WM_CREATE fails, WM_PAINT validates the window,
    // other messages show the exception's message. Returns the message's result.
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);

    DECLARE_MESSAGE_MAP()

private:
    POINT m_ptCursorLast;
    UINT m_nMsgLast;
};

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    // Becomes the application object of the current module state. Without a name, the application is
    // named after its module's file name without extension.
    explicit CWinApp(LPCSTR lpszAppName = NULL);
    ~CWinApp() override;

    LPCSTR m_pszAppName;
    LPCSTR m_pszExeName;
    HINSTANCE m_hInstance;
    LPSTR m_lpCmdLine;
    int m_nCmdShow;

    // Runs once before InitInstance (AfxWinMain); TRUE to go on.
    virtual BOOL InitApplication();
    BOOL InitInstance() override;

    // Icons and cursors: the application's from the module that the framework's resource search names for
    // them, the standard ones (IDI_xxx, IDC_xxx) from the system. NULL when there is none.
    HICON LoadIcon(LPCSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCSTR lpszIconName) const;
    HCURSOR LoadCursor(LPCSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCSTR lpszCursorName) const;

    // Shows AfxMessageBox's box: owned by the main window (or the active window), titled with the
    // application's name.
    virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    DECLARE_MESSAGE_MAP()

private:
    void SetCurrentHandles();

    AFX_MODULE_STATE* m_pModuleState;
    // The application is named after its module (no name was given).
    bool m_bNameFromModule;
    std::string m_strAppName;
    std::string m_strExeName;
    std::string m_strCmdLine;

    friend BOOL AFXAPI AfxWinInit(HINSTANCE, HINSTANCE, LPSTR, int);
};

CWinApp* AFXAPI AfxGetApp();
CWinThread* AFXAPI AfxGetThread();
CWnd* AFXAPI AfxGetMainWnd();
// Pumps one message through the current thread object's PumpMessage (the framework's pre-translation
// included). FALSE on WM_QUIT.
BOOL AFXAPI AfxPumpMessage();
// Initialises the framework for the module whose state is current: its instance and resource handle, and
// its application object's handles and command line. FALSE when hInstance is not a loaded module.
BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
// Releases what the framework set up for the current module: its window classes, OLE, the creation hook.
void AFXAPI AfxWinTerm();
// The application's life, which the framework's entry point runs: AfxWinInit, the application's
// InitApplication and InitInstance, then Run; when InitInstance fails, ExitInstance instead (a main window
// still there is destroyed first). AfxWinTerm ends it. Returns the exit code: -1 when the start failed
// before InitInstance, else that of Run or ExitInstance.
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
