// Message maps: static tables that route window messages, commands and notifications to member functions.
#pragma once

#include "Defs.h"

class CCmdTarget;
class CWnd;
class CScrollBar;
class CDC;

// The stored type of every handler.
typedef void (CCmdTarget::*AFX_PMSG)();

// The 16-bit form of the WM_CTLCOLORxxx messages: a map's ON_WM_CTLCOLOR entry takes all of them, with the
// kind of control (CTLCOLOR_xxx) as an argument.
#define WM_CTLCOLOR 0x0019
// The first message number of those registered with RegisterWindowMessage.
#define AFX_REGISTERED_MESSAGE_BASE 0xC000

// A notification that a parent sends back to the control it came from arrives as the message plus this base.
#define WM_REFLECT_BASE 0xBC00

// The notification code of a command that comes from a menu or an accelerator.
#define CN_COMMAND 0

// The handler signatures a message map can name: return type, then parameters.
enum AfxSig : UINT_PTR {
    AfxSig_end = 0,

    // Window messages (CWnd members).
    AfxSig_is,     // int (LPCREATESTRUCT)
    AfxSig_vv,     // void ()
    AfxSig_wv,     // UINT ()
    AfxSig_vwp,    // void (UINT, CPoint)
    AfxSig_vwww,   // void (UINT, UINT, UINT)
    AfxSig_vWp,    // void (CWnd*, CPoint)
    AfxSig_vwii,   // void (UINT, int, int)
    AfxSig_vW,     // void (CWnd*)
    AfxSig_vwwS,   // void (UINT, UINT, CScrollBar*)
    AfxSig_vw_ptr, // void (UINT_PTR)
    AfxSig_lwl,    // LRESULT (WPARAM, LPARAM)
    AfxSig_vwl,    // void (UINT, LPARAM)
    AfxSig_hv,     // HCURSOR ()
    AfxSig_bD,     // BOOL (CDC*)
    AfxSig_vbw,    // void (BOOL, UINT)
    AfxSig_hDWw,   // HBRUSH (CDC*, CWnd*, UINT)

    // Commands and notifications (CCmdTarget members).
    AfxSigCmd_v,        // void ()
    AfxSigCmd_b,        // BOOL ()
    AfxSigCmd_RANGE,    // void (UINT)
    AfxSigCmd_EX,       // BOOL (UINT)
    AfxSigNotify_v,     // void (NMHDR*, LRESULT*)
    AfxSigNotify_b,     // BOOL (NMHDR*, LRESULT*)
    AfxSigNotify_RANGE, // void (UINT, NMHDR*, LRESULT*)
    AfxSigNotify_EX,    // BOOL (UINT, NMHDR*, LRESULT*)
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage; // window message, WM_COMMAND, WM_NOTIFY, or one of those plus WM_REFLECT_BASE
    UINT nCode;    // control notification code (low 16 bits), 0 for plain window messages
    UINT nID;      // first control ID, 0 for window messages and reflected notifications
    UINT nLastID;  // last control ID of a range
    UINT_PTR nSig; // an AfxSig value
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP*(PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// What the extra argument of OnCmdMsg points to for WM_NOTIFY.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

#define DECLARE_MESSAGE_MAP()                                                                                \
protected:                                                                                                   \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();                                                     \
    virtual const AFX_MSGMAP* GetMessageMap() const;

// The base map is named explicitly, so a map may chain to any class further up its hierarchy.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                               \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                                                      \
        return GetThisMessageMap();                                                                          \
    }                                                                                                        \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() {                                                 \
        using ThisClass [[maybe_unused]] = theClass;                                                         \
        typedef baseClass TheBaseClass;                                                                      \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                                    \
    { 0, 0, 0, 0, AfxSig_end, static_cast<AFX_PMSG>(nullptr) }                                               \
    }                                                                                                        \
    ;                                                                                                        \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};            \
    return &messageMap;                                                                                      \
    }

// Handlers are stored as AFX_PMSG. The entry macros first convert a handler to the exact signature that its
// AfxSig names (so a wrong signature does not compile); dispatch converts it back to that signature before
// the call, so a handler is only ever called through its own type.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
#endif
template <class TMember> AFX_PMSG AfxStoreHandler(TMember pmf) noexcept {
    return reinterpret_cast<AFX_PMSG>(pmf);
}
template <class TMember> TMember AfxLoadHandler(AFX_PMSG pfn) noexcept {
    return reinterpret_cast<TMember>(pfn);
}
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

// Entry macros take the handler as a pointer to member (&CMyDlg::OnX); the window-message entries name
// their standard handler in the map's own class.
#define AFX_HANDLER(signature, memberFxn) AfxStoreHandler(static_cast<signature>(memberFxn))

#define AFX_WM_ENTRY(message, sig, signature, memberFxn)                                                     \
    {message, 0, 0, 0, sig, AFX_HANDLER(signature, memberFxn)},

#define ON_WM_CREATE() AFX_WM_ENTRY(WM_CREATE, AfxSig_is, int (CWnd::*)(LPCREATESTRUCT), &ThisClass::OnCreate)
#define ON_WM_DESTROY() AFX_WM_ENTRY(WM_DESTROY, AfxSig_vv, void (CWnd::*)(), &ThisClass::OnDestroy)
#define ON_WM_NCDESTROY() AFX_WM_ENTRY(WM_NCDESTROY, AfxSig_vv, void (CWnd::*)(), &ThisClass::OnNcDestroy)
#define ON_WM_CLOSE() AFX_WM_ENTRY(WM_CLOSE, AfxSig_vv, void (CWnd::*)(), &ThisClass::OnClose)
#define ON_WM_PAINT() AFX_WM_ENTRY(WM_PAINT, AfxSig_vv, void (CWnd::*)(), &ThisClass::OnPaint)
#define ON_WM_GETDLGCODE() AFX_WM_ENTRY(WM_GETDLGCODE, AfxSig_wv, UINT (CWnd::*)(), &ThisClass::OnGetDlgCode)

#define AFX_WM_MOUSE_ENTRY(message, memberFxn)                                                               \
    AFX_WM_ENTRY(message, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), memberFxn)
#define ON_WM_MOUSEMOVE() AFX_WM_MOUSE_ENTRY(WM_MOUSEMOVE, &ThisClass::OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_WM_MOUSE_ENTRY(WM_LBUTTONDOWN, &ThisClass::OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_WM_MOUSE_ENTRY(WM_LBUTTONUP, &ThisClass::OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_WM_MOUSE_ENTRY(WM_LBUTTONDBLCLK, &ThisClass::OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_WM_MOUSE_ENTRY(WM_RBUTTONDOWN, &ThisClass::OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_WM_MOUSE_ENTRY(WM_RBUTTONUP, &ThisClass::OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_WM_MOUSE_ENTRY(WM_RBUTTONDBLCLK, &ThisClass::OnRButtonDblClk)

#define AFX_WM_KEY_ENTRY(message, memberFxn)                                                                 \
    AFX_WM_ENTRY(message, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), memberFxn)
#define ON_WM_KEYDOWN() AFX_WM_KEY_ENTRY(WM_KEYDOWN, &ThisClass::OnKeyDown)
#define ON_WM_KEYUP() AFX_WM_KEY_ENTRY(WM_KEYUP, &ThisClass::OnKeyUp)
#define ON_WM_CHAR() AFX_WM_KEY_ENTRY(WM_CHAR, &ThisClass::OnChar)

#define ON_WM_CONTEXTMENU()                                                                                  \
    AFX_WM_ENTRY(WM_CONTEXTMENU, AfxSig_vWp, void (CWnd::*)(CWnd*, CPoint), &ThisClass::OnContextMenu)
#define ON_WM_SIZE() AFX_WM_ENTRY(WM_SIZE, AfxSig_vwii, void (CWnd::*)(UINT, int, int), &ThisClass::OnSize)
#define ON_WM_TIMER() AFX_WM_ENTRY(WM_TIMER, AfxSig_vw_ptr, void (CWnd::*)(UINT_PTR), &ThisClass::OnTimer)
#define ON_WM_SETFOCUS() AFX_WM_ENTRY(WM_SETFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), &ThisClass::OnSetFocus)
#define ON_WM_KILLFOCUS()                                                                                    \
    AFX_WM_ENTRY(WM_KILLFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), &ThisClass::OnKillFocus)
#define ON_WM_CAPTURECHANGED()                                                                               \
    AFX_WM_ENTRY(WM_CAPTURECHANGED, AfxSig_vW, void (CWnd::*)(CWnd*), &ThisClass::OnCaptureChanged)
#define ON_WM_HSCROLL()                                                                                      \
    AFX_WM_ENTRY(WM_HSCROLL, AfxSig_vwwS, void (CWnd::*)(UINT, UINT, CScrollBar*), &ThisClass::OnHScroll)
#define ON_WM_VSCROLL()                                                                                      \
    AFX_WM_ENTRY(WM_VSCROLL, AfxSig_vwwS, void (CWnd::*)(UINT, UINT, CScrollBar*), &ThisClass::OnVScroll)

#define ON_WM_SYSCOMMAND()                                                                                   \
    AFX_WM_ENTRY(WM_SYSCOMMAND, AfxSig_vwl, void (CWnd::*)(UINT, LPARAM), &ThisClass::OnSysCommand)
#define ON_WM_QUERYDRAGICON()                                                                                \
    AFX_WM_ENTRY(WM_QUERYDRAGICON, AfxSig_hv, HCURSOR (CWnd::*)(), &ThisClass::OnQueryDragIcon)
#define ON_WM_ERASEBKGND()                                                                                   \
    AFX_WM_ENTRY(WM_ERASEBKGND, AfxSig_bD, BOOL (CWnd::*)(CDC*), &ThisClass::OnEraseBkgnd)
#define ON_WM_SHOWWINDOW()                                                                                   \
    AFX_WM_ENTRY(WM_SHOWWINDOW, AfxSig_vbw, void (CWnd::*)(BOOL, UINT), &ThisClass::OnShowWindow)
// Takes every WM_CTLCOLORxxx message that the control itself did not take (ON_WM_CTLCOLOR_REFLECT).
#define ON_WM_CTLCOLOR()                                                                                     \
    AFX_WM_ENTRY(WM_CTLCOLOR, AfxSig_hDWw, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), &ThisClass::OnCtlColor)

// LRESULT memberFxn(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn)                                                                       \
    AFX_WM_ENTRY(message, AfxSig_lwl, LRESULT (CWnd::*)(WPARAM, LPARAM), memberFxn)
// LRESULT memberFxn(WPARAM, LPARAM), for the message whose number RegisterWindowMessage gave the UINT
// variable nMessageVariable; the entry keeps the variable's address, so it may be set after the map is built.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                                   \
    {AFX_REGISTERED_MESSAGE_BASE,                                                                            \
     0,                                                                                                      \
     0,                                                                                                      \
     0,                                                                                                      \
     reinterpret_cast<UINT_PTR>(static_cast<const UINT*>(&nMessageVariable)),                                \
     AFX_HANDLER(LRESULT(CWnd::*)(WPARAM, LPARAM), memberFxn)},

// void memberFxn()
#define ON_COMMAND(id, memberFxn)                                                                            \
    {WM_COMMAND, CN_COMMAND,  (WORD)(id),                                                                    \
     (WORD)(id), AfxSigCmd_v, AFX_HANDLER(void(CCmdTarget::*)(), memberFxn)},
// void memberFxn(UINT id)
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                              \
    {WM_COMMAND,     CN_COMMAND,      (WORD)(id),                                                            \
     (WORD)(idLast), AfxSigCmd_RANGE, AFX_HANDLER(void(CCmdTarget::*)(UINT), memberFxn)},
// BOOL memberFxn(UINT id): FALSE passes the command on to the next target.
#define ON_COMMAND_EX(id, memberFxn)                                                                         \
    {WM_COMMAND, CN_COMMAND,   (WORD)(id),                                                                   \
     (WORD)(id), AfxSigCmd_EX, AFX_HANDLER(BOOL(CCmdTarget::*)(UINT), memberFxn)},
// void memberFxn(): a control's WM_COMMAND notification at its parent.
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                               \
    {WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id),                                                            \
     (WORD)(id), AfxSigCmd_v,         AFX_HANDLER(void(CCmdTarget::*)(), memberFxn)},
// Control notifications by name; each handler is void memberFxn().
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
// void memberFxn(): the control's own WM_COMMAND notification, reflected back by its parent; consumes it.
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                                           \
    {WM_COMMAND + WM_REFLECT_BASE,                                                                           \
     (WORD)(wNotifyCode),                                                                                    \
     0,                                                                                                      \
     0,                                                                                                      \
     AfxSigCmd_v,                                                                                            \
     AFX_HANDLER(void(CCmdTarget::*)(), memberFxn)},
// BOOL memberFxn(): FALSE lets the parent handle the notification too.
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                                        \
    {WM_COMMAND + WM_REFLECT_BASE,                                                                           \
     (WORD)(wNotifyCode),                                                                                    \
     0,                                                                                                      \
     0,                                                                                                      \
     AfxSigCmd_b,                                                                                            \
     AFX_HANDLER(BOOL(CCmdTarget::*)(), memberFxn)},

// void memberFxn(NMHDR*, LRESULT*)
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                                \
    {WM_NOTIFY,  (WORD)(int)(wNotifyCode), (WORD)(id),                                                       \
     (WORD)(id), AfxSigNotify_v,           AFX_HANDLER(void(CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},
// void memberFxn(UINT id, NMHDR*, LRESULT*)
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                                  \
    {WM_NOTIFY,          (WORD)(int)(wNotifyCode),                                                           \
     (WORD)(id),         (WORD)(idLast),                                                                     \
     AfxSigNotify_RANGE, AFX_HANDLER(void(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn)},
// BOOL memberFxn(UINT id, NMHDR*, LRESULT*): FALSE passes the notification on.
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                                             \
    {WM_NOTIFY,       (WORD)(int)(wNotifyCode),                                                              \
     (WORD)(id),      (WORD)(id),                                                                            \
     AfxSigNotify_EX, AFX_HANDLER(BOOL(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn)},
// void memberFxn(NMHDR*, LRESULT*): the control's own notification, reflected back; always consumes it.
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                                            \
    {WM_NOTIFY + WM_REFLECT_BASE,                                                                            \
     (WORD)(int)(wNotifyCode),                                                                               \
     0,                                                                                                      \
     0,                                                                                                      \
     AfxSigNotify_v,                                                                                         \
     AFX_HANDLER(void(CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},
// BOOL memberFxn(NMHDR*, LRESULT*): FALSE lets the parent's own handler run afterwards with the same result.
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                                         \
    {WM_NOTIFY + WM_REFLECT_BASE,                                                                            \
     (WORD)(int)(wNotifyCode),                                                                               \
     0,                                                                                                      \
     0,                                                                                                      \
     AfxSigNotify_b,                                                                                         \
     AFX_HANDLER(BOOL(CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},
