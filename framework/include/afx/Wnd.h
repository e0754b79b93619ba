// Windows as objects: attaching objects to window handles, subclassing, dispatch through message maps,
// reflection of control notifications, and member forms of the window functions.
#pragma once

#include "CmdTarget.h"
#include "Geometry.h"
#include "String.h"

class CDataExchange;
class CDC;
class CMenu;
class COleDropTarget;

// RunModalLoop's flags.
#define MLF_NOIDLEMSG 0x0001
#define MLF_NOKICKIDLE 0x0002
#define MLF_SHOWONIDLE 0x0004
// Sent to a window in a modal loop whenever the queue has gone empty (wParam MSGF_DIALOGBOX, lParam the idle
// count); a nonzero answer asks for more.
#define WM_KICKIDLE 0x036A

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd();
    // Destroys a window that is still attached to the object.
    ~CWnd() override;

    HWND m_hWnd;
    // Positions for SetWindowPos's insert-after argument.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    operator HWND() const { return m_hWnd; }
    // The handle; also NULL for a NULL object pointer, as the framework allows (sanitizer builds trap such a
    // call, so the framework's own code never makes it).
    HWND GetSafeHwnd() const;

    // The object attached to hWnd; a temporary object (deleted at idle time) when none is, NULL when hWnd is
    // not a window.
    static CWnd* PASCAL FromHandle(HWND hWnd);
    // The object attached to hWnd, or NULL.
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
    // Deletes this thread's temporary objects.
    static void PASCAL DeleteTempMap();
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    // Attaches the object and routes the window's messages through it; the previous window procedure is
    // kept in m_pfnSuper and receives what the object does not handle.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // Creates a child window (WS_CHILD is added). A NULL class name uses the framework's default class.
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x,
                          int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                          LPVOID lpParam = NULL);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = NULL);
    virtual BOOL DestroyWindow();

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Runs with m_hWnd attached, before the window procedure is replaced.
    virtual void PreSubclassWindow();
    // Runs after WM_NCDESTROY detached the object.
    virtual void PostNcDestroy();

    // Styles. With nFlags, SetWindowPos runs so that frame changes take effect. FALSE when nothing changed.
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    static BOOL PASCAL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL PASCAL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);

    // Relatives.
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    // The first window up the parent chain that is not a child window.
    CWnd* GetParentOwner() const;
    // The top-level window above this one, following parents and owners.
    CWnd* GetTopLevelParent() const;
    // The owner set with SetOwner, else the parent.
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd);
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);

    // Geometry.
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);

    // State, painting, focus and capture.
    BOOL ShowWindow(int nCmdShow);
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void UpdateWindow();
    CWnd* SetFocus();
    static CWnd* PASCAL GetFocus();
    CWnd* SetCapture();
    static CWnd* PASCAL GetCapture();

    // Text.
    void SetWindowText(LPCSTR lpszString);
    void GetWindowText(CString& rString) const;
    int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const;
    int GetWindowTextLength() const;

    // The icon in the caption and the task switcher (bBigIcon TRUE: the large one); returns the previous one.
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;
    // The window menu (a temporary object); bRevert restores the system's own and returns NULL.
    CMenu* GetSystemMenu(BOOL bRevert) const;

    // Modal loops: RunModalLoop retrieves and dispatches messages through the thread's pump until
    // ContinueModal answers FALSE, which it does once EndModalLoop has been called, and returns
    // EndModalLoop's result. While the queue is empty it sends WM_ENTERIDLE to the parent (unless
    // MLF_NOIDLEMSG) and WM_KICKIDLE to the window (unless MLF_NOKICKIDLE), and shows a hidden window
    // (MLF_SHOWONIDLE). A WM_QUIT ends the loop with -1 and is posted again, so that the loops outside end
    // too.
    virtual int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);
    // The dialog manager's keyboard interface for this window (::IsDialogMessage); TRUE when it took pMsg.
    BOOL IsDialogMessage(LPMSG lpMsg);

    // Messages and timers.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // Dialog data exchange: DoDataExchange runs with the window's control notifications locked out.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // Message processing. WindowProc dispatches through OnWndMsg and passes what it leaves to DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The superclass procedure (m_pfnSuper), else the system's default processing.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The current message, as received, to DefWindowProc.
    LRESULT Default();
    // The message being processed by the framework on this thread, with the time and cursor position of
    // the last message retrieved from the queue.
    static const MSG* PASCAL GetCurrentMessage();

    // Called by the message pump before dispatching; TRUE means the message was handled.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Offers pMsg to the objects of pMsg->hwnd and its parents, innermost first, up to and including
    // hWndStop; TRUE as soon as one takes it.
    static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    // Reflection: a parent hands the message it is processing back to the control that sent it.
    static BOOL PASCAL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = NULL);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = NULL);

    WNDPROC m_pfnSuper;
    // The drop target registered for the window; revoked when the window is destroyed.
    COleDropTarget* m_pDropTarget;

protected:
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A notification reflected from the parent; the default runs ReflectChildNotify.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Looks up the reflected form of the message in this object's map.
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // Default handlers: each passes the current message on (Default()).
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    // Detaches the object and calls PostNcDestroy.
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    // A scroll bar control's scroll message is reflected to the control first.
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    // nCtlColor is the kind of control (CTLCOLOR_BTN, ...); the brush paints its background.
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    DECLARE_MESSAGE_MAP()

    // EndModalLoop's result.
    int m_nModalResult;
    // Set while a modal loop runs for the window and until EndModalLoop is called.
    BOOL m_bContinueModal;

private:
    explicit CWnd(HWND hWnd);

    HWND m_hWndOwner;
    BOOL m_bInModalLoop;
};

// A scroll bar control.
class CScrollBar : public CWnd {
    DECLARE_DYNAMIC(CScrollBar)
public:
    CScrollBar();
    int GetScrollPos() const;
    int SetScrollPos(int nPos, BOOL bRedraw = TRUE);
    void GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const;
    void SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
};

// The window procedure of every window that an object has subclassed.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
WNDPROC AFXAPI AfxGetAfxWndProc();
// Runs one message through pWnd's WindowProc as the thread's current message.
LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// Registers (once per module, re-registering when the class has gone) a window class with the default
// window procedure and the given attributes, and returns its generated name. The name lives in a
// per-thread buffer until the next call.
LPCSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = 0, HBRUSH hbrBackground = 0,
                                  HICON hIcon = 0);

// While the temporary maps are locked, temporary objects survive idle time.
void AFXAPI AfxLockTempMaps();
// TRUE when the temporary objects were deleted.
BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);
