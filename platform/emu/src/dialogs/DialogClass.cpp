// The dialog class ("#32770", WC_DIALOG) and its window procedure DefDlgProcA: the dialog procedure's BOOL
// answer with DWLP_MSGRESULT, then the dialog manager's defaults (focus saved and restored, the default push
// button, WM_CLOSE as the Cancel button, the dialog's background and font).
#include "Dialogs.h"

#include "core/Core.h"

namespace emu::dialogs {
namespace {

constexpr ATOM kDialogAtom = 0x8002;

void RegisterDialogClass() {
    WNDCLASSA wc{};
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_SAVEBITS;
    wc.lpfnWndProc = DefDlgProcA;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = core::SystemModule();
    wc.lpszClassName = "#32770";
    if (RegisterClassA(&wc))
        core::FindClassForCreate("#32770", wc.hInstance)->atom = kDialogAtom;
}

const core::SystemClasses dialogClass(RegisterDialogClass);

// The dialog procedure, when the window keeps the dialog manager's window data.
DLGPROC DialogProcOf(HWND dlg) {
    if (GetClassLongA(dlg, GCL_CBWNDEXTRA) < static_cast<LONG>(DLGWINDOWEXTRA))
        return nullptr;
    return reinterpret_cast<DLGPROC>(GetWindowLongPtrA(dlg, DWLP_DLGPROC));
}

// Messages whose answer is the dialog procedure's return value itself rather than DWLP_MSGRESULT.
bool AnswersDirectly(UINT msg) {
    if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC)
        return true;
    switch (msg) {
    case WM_INITDIALOG:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_QUERYDRAGICON:
        return true;
    default:
        return false;
    }
}

bool IsOwnControl(HWND dlg, HWND control) {
    return control && IsWindow(control) && IsChild(dlg, control);
}

LRESULT DefaultAction(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND: {
        auto dc = reinterpret_cast<HDC>(wp);
        auto brush =
            reinterpret_cast<HBRUSH>(SendMessageA(dlg, WM_CTLCOLORDLG, wp, reinterpret_cast<LPARAM>(dlg)));
        RECT client{};
        GetClientRect(dlg, &client);
        FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_3DFACE));
        return 1;
    }
    case WM_ACTIVATE: {
        DialogInfo& info = Info(dlg);
        if (LOWORD(wp) == WA_INACTIVE) {
            HWND focus = GetFocus();
            info.savedFocus = IsOwnControl(dlg, focus) ? focus : nullptr;
        } else {
            HWND saved = info.savedFocus;
            info.savedFocus = nullptr;
            if (IsOwnControl(dlg, saved))
                SetFocus(saved);
        }
        return 0;
    }
    case WM_SETFOCUS: {
        DialogInfo& info = Info(dlg);
        HWND target = IsOwnControl(dlg, info.savedFocus) ? info.savedFocus : FirstFocus(dlg);
        info.savedFocus = nullptr;
        MoveDialogFocus(dlg, target);
        return 0;
    }
    case WM_CLOSE: {
        HWND cancel = GetDlgItem(dlg, IDCANCEL);
        if (!cancel || IsWindowEnabled(cancel))
            PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case WM_NEXTDLGCTL: {
        HWND target = LOWORD(lp) ? reinterpret_cast<HWND>(wp) : GetNextDlgTabItem(dlg, GetFocus(), wp != 0);
        if (IsOwnControl(dlg, target))
            MoveDialogFocus(dlg, target);
        return 0;
    }
    case DM_GETDEFID: {
        UINT id = Info(dlg).defId;
        return id ? MAKELRESULT(id, DC_HASDEFID) : 0;
    }
    case DM_SETDEFID: {
        HWND focus = GetFocus();
        Info(dlg).defId = static_cast<UINT>(wp);
        UpdateDefaultLook(dlg, IsPushButton(focus) && IsChild(dlg, focus) ? focus : nullptr);
        return TRUE;
    }
    case DM_REPOSITION:
        return 0;
    case WM_SETFONT:
        Info(dlg).font = reinterpret_cast<HFONT>(wp);
        return 0;
    case WM_GETFONT: {
        DialogInfo* info = FindInfo(dlg);
        return reinterpret_cast<LRESULT>(info ? info->font : nullptr);
    }
    case WM_NCDESTROY: {
        LRESULT result = DefWindowProcA(dlg, msg, wp, lp);
        ForgetInfo(dlg);
        return result;
    }
    default:
        return DefWindowProcA(dlg, msg, wp, lp);
    }
}

} // namespace
} // namespace emu::dialogs

using namespace emu::dialogs;

LRESULT WINAPI DefDlgProcA(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(hDlg)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (DLGPROC proc = DialogProcOf(hDlg)) {
        INT_PTR handled = proc(hDlg, Msg, wParam, lParam);
        if (!IsWindow(hDlg))
            return AnswersDirectly(Msg) ? handled : 0;
        if (handled)
            return AnswersDirectly(Msg) ? handled : GetWindowLongPtrA(hDlg, DWLP_MSGRESULT);
    }
    return DefaultAction(hDlg, Msg, wParam, lParam);
}

LONG WINAPI GetDialogBaseUnits(void) {
    static const LONG units = [] {
        int x = 0, y = 0;
        FontBaseUnits(nullptr, x, y);
        return static_cast<LONG>(MAKELONG(x, y));
    }();
    return units;
}

BOOL WINAPI MapDialogRect(HWND hDlg, LPRECT lpRect) {
    DialogInfo* info = IsWindow(hDlg) ? FindInfo(hDlg) : nullptr;
    if (!info || !info->fromTemplate || !lpRect) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    *lpRect = ToPixels(*lpRect, *info);
    return TRUE;
}
