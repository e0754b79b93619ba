// IsDialogMessageA: the keyboard interface of a dialog. Each key is first offered to the control it is for
// through WM_GETDLGCODE (with the message); what the control does not claim moves the focus (Tab and
// Shift+Tab over the tab stops, arrows within the group) or presses a button (Enter the focused or default
// push button, else IDOK; Escape IDCANCEL). A character typed with Alt, or one that the focused control does
// not take, may be a control's mnemonic. Every other message of the dialog is translated and dispatched.
#include "Dialogs.h"

namespace emu::dialogs {
namespace {

void Command(HWND dlg, UINT id, HWND control) {
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

// Enter: the focused push button when it has the default look, else the dialog's default button (nothing
// when that button is disabled), else IDOK.
void PressDefault(HWND dlg, HWND focus, UINT focusCode) {
    if (focus && (focusCode & DLGC_DEFPUSHBUTTON) && IsWindowEnabled(focus)) {
        Command(dlg, static_cast<UINT>(GetDlgCtrlID(focus)), focus);
        return;
    }
    auto defId = static_cast<DWORD>(SendMessageA(dlg, DM_GETDEFID, 0, 0));
    UINT id = HIWORD(defId) == DC_HASDEFID ? LOWORD(defId) : IDOK;
    HWND button = GetDlgItem(dlg, static_cast<int>(id));
    if (button && !IsWindowEnabled(button))
        return;
    Command(dlg, id, button);
}

// A key that the dialog manager takes: true when it was handled.
bool Navigate(HWND dlg, const MSG& msg, UINT code) {
    HWND focus = GetFocus();
    if (focus && !IsChild(dlg, focus))
        focus = nullptr;
    switch (msg.wParam) {
    case VK_TAB: {
        if (code & DLGC_WANTTAB)
            return false;
        bool back = GetKeyState(VK_SHIFT) < 0;
        HWND next = GetNextDlgTabItem(dlg, focus, back);
        if (next && next != focus)
            MoveDialogFocus(dlg, next);
        return true;
    }
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        if (code & DLGC_WANTARROWS)
            return false;
        HWND next = GetNextDlgGroupItem(dlg, focus, msg.wParam == VK_LEFT || msg.wParam == VK_UP);
        if (next && next != focus)
            MoveDialogFocus(dlg, next);
        return true;
    }
    case VK_RETURN:
        PressDefault(dlg, focus, focus ? DialogCode(focus) : 0);
        return true;
    case VK_ESCAPE:
        // Even when the Cancel button is disabled, as the real dialog manager gives it.
        Command(dlg, IDCANCEL, GetDlgItem(dlg, IDCANCEL));
        return true;
    default:
        return false;
    }
}

} // namespace
} // namespace emu::dialogs

using namespace emu::dialogs;

BOOL WINAPI IsDialogMessageA(HWND hDlg, LPMSG lpMsg) {
    if (!lpMsg || !IsWindow(hDlg))
        return FALSE;
    if (CallMsgFilterA(lpMsg, MSGF_DIALOGBOX))
        return TRUE;
    if (!IsWindow(lpMsg->hwnd) || (lpMsg->hwnd != hDlg && !IsChild(hDlg, lpMsg->hwnd)))
        return FALSE;
    if (lpMsg->message == WM_KEYDOWN || lpMsg->message == WM_CHAR) {
        auto code = static_cast<UINT>(
            SendMessageA(lpMsg->hwnd, WM_GETDLGCODE, lpMsg->wParam, reinterpret_cast<LPARAM>(lpMsg)));
        if (lpMsg->message == WM_KEYDOWN && !(code & DLGC_WANTMESSAGE) && Navigate(hDlg, *lpMsg, code))
            return TRUE;
        // A character that the focused control does not take may be a mnemonic; the Tab of a control that
        // takes Tab is its own.
        bool taken =
            (code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE)) || (lpMsg->wParam == '\t' && (code & DLGC_WANTTAB));
        if (lpMsg->message == WM_CHAR && !taken && PressMnemonic(hDlg, static_cast<char>(lpMsg->wParam)))
            return TRUE;
    }
    // With Alt, whatever the focused control.
    if (lpMsg->message == WM_SYSCHAR && PressMnemonic(hDlg, static_cast<char>(lpMsg->wParam)))
        return TRUE;
    TranslateMessage(lpMsg);
    DispatchMessageA(lpMsg);
    return TRUE;
}
